#include "app/ui/apply_lang.h"

#include "app/builtin_texts.h"
#include "app/ui/control_text.h"

#include <QWidget>

namespace ce {

namespace {

// Appends `name_0` .. `name_<count-1>` receiving texts[first] onwards.
template <std::size_t N>
void addArray(QList<CaptionAssignment>& out, const QString& name, int count,
              const std::array<QString, N>& texts, int first)
{
    for (int k = 0; k < count; ++k)
        out.append({name + u'_' + QString::number(k), texts.at(std::size_t(first + k))});
}

QList<CaptionAssignment> formCaptions(const LanguageTable& lang)
{
    const auto& f = lang.form;
    QList<CaptionAssignment> out = {
        {QString(), f[1]},
        {QStringLiteral("mnu_fichier"), f[2]},
        {QStringLiteral("mnu_wizard"), f[3]},
        {QStringLiteral("mnu_open"), f[4]},
        {QStringLiteral("mnu_save"), f[5]},
        {QStringLiteral("mnu_savedefaut"), f[6]},
        {QStringLiteral("mnu_quit"), f[7]},
        {QStringLiteral("mnu_option"), f[8]},
        {QStringLiteral("mnu_config"), f[9]},
        {QStringLiteral("mnu_etalonage"), f[10]},
        {QStringLiteral("mnu_etalonage2"), f[11]},
        {QStringLiteral("mnu_superetalonage"), f[12]},
        {QStringLiteral("mnu_help"), f[13]},
        {QStringLiteral("mnu_about"), f[14]},
        {QStringLiteral("DownloadData"), f[15]},
        {QStringLiteral("SelectStar"), f[16]},
        {QStringLiteral("startCalcul"), f[17]},
        {QStringLiteral("FullMap"), f[18]},
    };
    addArray(out, QStringLiteral("Frm"), 7, f, 19);
    addArray(out, QStringLiteral("lbl"), 17, f, 26);
    out.append({QStringLiteral("Loadimg"), f[43]});
    out.append({QStringLiteral("LoadCorr"), f[44]});
    out.append({QStringLiteral("BoutonEtalo"), f[45]});
    // Texts added after the first version: a language file without them
    // keeps the built-in captions.
    const std::pair<const char*, int> later[] = {
        {"zoomFit", 82}, {"orientation", 83}, {"mnu_restore", 84}, {"AutoCalcul", 85}};
    for (const auto& [control, line] : later)
        if (!f.at(std::size_t(line)).isEmpty())
            out.append({QString::fromLatin1(control), f.at(std::size_t(line))});
    return out;
}

QList<CaptionAssignment> configCaptions(const LanguageTable& lang)
{
    const auto& c = lang.config;
    QList<CaptionAssignment> out = {{QString(), c[1]}};
    addArray(out, QStringLiteral("lbl"), 3, c, 2);
    for (int k = 1; k <= 4; ++k)
        out.append({QStringLiteral("cmd") + QString::number(k), c.at(std::size_t(4 + k))});
    return out;
}

QList<CaptionAssignment> config2Captions(const LanguageTable& lang)
{
    const auto& c = lang.config2;
    QList<CaptionAssignment> out = {{QString(), c[1]}};
    addArray(out, QStringLiteral("lbl"), 6, c, 2);
    out.append({QStringLiteral("cmd1"), c[8]});
    return out;
}

QList<CaptionAssignment> wizardCaptions(const LanguageTable& lang)
{
    const auto& w = lang.wizard;
    QList<CaptionAssignment> out = {{QString(), w[1]}};
    addArray(out, QStringLiteral("lbl"), 16, w, 2);
    out.append({QStringLiteral("step1"), w[18]});
    out.append({QStringLiteral("step2"), w[18]});
    out.append({QStringLiteral("step3"), w[19]});
    return out;
}

}  // namespace

QList<CaptionAssignment> languageCaptions(const LanguageTable& lang, const QString& key)
{
    if (key == u"Form")
        return formCaptions(lang);
    if (key == u"Config")
        return configCaptions(lang);
    if (key == u"Config2")
        return config2Captions(lang);
    if (key == u"Wizard")
        return wizardCaptions(lang);
    if (key == u"aide")
        return {{QString(), lang.form[13]}};
    return {};
}

void applyCaptions(QWidget& window, const LanguageTable& lang, const QString& key)
{
    for (const CaptionAssignment& caption : languageCaptions(lang, key))
        setControlCaption(window, caption.control, caption.text);
}

void ApplyLang(QWidget& window, LanguageTable& lang, const QString& key)
{
    applyCaptions(window, lang, key);
    if (key != u"Form")
        return;
    lang.fillMessages();
    setControlCaption(window, QStringLiteral("CheckDecideur"),
                      controlCaption(window, QStringLiteral("Frm_6")));
    setControlCaption(window, QStringLiteral("sugestion"), lang.suggestion(0));
    setControlCaption(window, QStringLiteral("mnu_refine"), lang.message(msg::kRefineOption));
}

}  // namespace ce

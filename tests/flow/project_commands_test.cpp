// "Enregistrer Projet" and "Ouvrir Projet" through the controller, with the
// scripted fake window and a scripted file chooser.

#include "project/flow/project_commands.h"

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace ce {
namespace {

using testing::FakeView;

// Answers the dialogs with a fixed name and records what they were asked.
class ScriptedChooser final : public ProjectFileChooser {
public:
    QString saveFileName(const QString& title, const QString& folder, const QString& filter) override
    {
        asked.push_back({title, folder, filter});
        return answer;
    }
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override
    {
        asked.push_back({title, folder, filter});
        return answer;
    }

    struct Asked {
        QString title, folder, filter;
    };
    QString answer;
    std::vector<Asked> asked;
};

// The sixteen text controls of a project and a value for each, in file
// order; an empty field and a "-" sign among them.
const std::vector<std::pair<QString, QString>> kProject = {
    {QStringLiteral("txt_calcul"), QStringLiteral("12")},
    {QStringLiteral("txt_corrasd"), QStringLiteral("2599.43")},
    {QStringLiteral("txt_corrdec"), QStringLiteral("2709.96")},
    {QStringLiteral("txt_dec_0"), QStringLiteral("22")},
    {QStringLiteral("txt_dec_1"), QString()},
    {QStringLiteral("txt_dec_2"), QStringLiteral("01.5")},
    {QStringLiteral("txt_dec_sign_show_0"), QStringLiteral("-")},
    {QStringLiteral("txt_distance"), QStringLiteral("14")},
    {QStringLiteral("txt_epoch"), QStringLiteral("2004.5")},
    {QStringLiteral("txt_mag"), QStringLiteral("13")},
    {QStringLiteral("txt_mag2"), QStringLiteral("16.5")},
    {QStringLiteral("txt_ra_0"), QStringLiteral("1")},
    {QStringLiteral("txt_ra_1"), QStringLiteral("34")},
    {QStringLiteral("txt_ra_2"), QStringLiteral("50")},
    {QStringLiteral("txt_tolerance"), QStringLiteral("4")},
    {QStringLiteral("txt_url"), QStringLiteral("images/m31 é.jpg")},
};

class ProjectCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lang.messages[12] = QStringLiteral("Ouvrir un projet");
        lang.messages[13] = QStringLiteral("Projet|*.pam");
        lang.messages[14] = QStringLiteral("Enregistrer le projet");
        for (int n = 0; n <= 20; ++n)
            lang.suggestions[std::size_t(n)] = QStringLiteral("suggestion %1").arg(n);
        controller = std::make_unique<ReductionController>(
            view, lang, ProgramPaths{program.path(), program.path()});
        controller->createMarkers();
    }

    void fillProject()
    {
        for (const auto& [control, text] : kProject) view.setText(control, text);
        view.setCheckState(QStringLiteral("CheckDecideur"), 1);
    }
    void overwriteFields()
    {
        for (const auto& [control, text] : kProject) view.setText(control, QStringLiteral("old"));
        view.setCheckState(QStringLiteral("CheckDecideur"), 0);
    }
    ReductionState& state() { return controller->state(); }
    QString path(const QString& name) const { return program.path() + u'/' + name; }
    QByteArray bytes(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    void write(const QString& name, const QByteArray& content) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir program;
    LanguageTable lang;
    FakeView view;
    ScriptedChooser chooser;
    std::unique_ptr<ReductionController> controller;
};

TEST_F(ProjectCommandsTest, SaveThenOpenRestoresAllSeventeenValues)
{
    fillProject();
    chooser.answer = path(QStringLiteral("m31"));
    saveProjectCommand(*controller, chooser);
    ASSERT_TRUE(view.messages.empty());
    ASSERT_EQ(chooser.asked.size(), 1u);
    EXPECT_EQ(chooser.asked[0].title, QStringLiteral("Enregistrer le projet"));
    EXPECT_EQ(chooser.asked[0].folder, program.path());
    EXPECT_EQ(chooser.asked[0].filter, QStringLiteral("Projet (*.pam)"));

    // The file: the sixteen texts in order, then the check box as "1", each
    // line ending in CR LF, é as its single Windows-1252 byte.
    QByteArray expected;
    for (const auto& [control, text] : kProject) expected += text.toLatin1() + "\r\n";
    expected += "1\r\n";
    EXPECT_EQ(bytes(QStringLiteral("m31.pam")), expected);

    overwriteFields();
    state().solutionAccepted = true;
    chooser.answer = path(QStringLiteral("m31.pam"));
    openProjectCommand(*controller, chooser);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(chooser.asked[1].title, QStringLiteral("Ouvrir un projet"));
    for (const auto& [control, text] : kProject) EXPECT_EQ(view.text(control), text) << qPrintable(control);
    EXPECT_EQ(view.checkState(QStringLiteral("CheckDecideur")), 1);
}

TEST_F(ProjectCommandsTest, ChosenNameGetsTheSuffixUnlessItHoldsIt)
{
    const std::vector<std::pair<QString, QString>> rows = {
        {QStringLiteral("plain"), QStringLiteral("plain.pam")},
        {QStringLiteral("ready.pam"), QStringLiteral("ready.pam")},
        {QStringLiteral("capitals.PAM"), QStringLiteral("capitals.PAM.pam")},
        {QStringLiteral("middle.pam.old"), QStringLiteral("middle.pam.old")},
    };
    fillProject();
    for (const auto& [chosen, written] : rows) {
        chooser.answer = path(chosen);
        saveProjectCommand(*controller, chooser);
        EXPECT_TRUE(QFile::exists(path(written))) << qPrintable(chosen);
    }
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files).size(), qsizetype(rows.size()));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ProjectCommandsTest, CancellingWritesAndReadsNothing)
{
    fillProject();
    chooser.answer.clear();
    saveProjectCommand(*controller, chooser);
    EXPECT_TRUE(QDir(program.path()).entryList(QDir::Files).isEmpty());
    state().imageLoaded = true;
    openProjectCommand(*controller, chooser);
    EXPECT_TRUE(view.loadedPaths.isEmpty());
    EXPECT_TRUE(state().imageLoaded);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(chooser.asked.size(), 2u);
}

TEST_F(ProjectCommandsTest, ShortOrBadFileChangesNothing)
{
    struct Row {
        const char* name;
        QByteArray content;
    };
    QByteArray sixteen;
    for (int n = 1; n <= 16; ++n) sixteen += QByteArray::number(n) + "\r\n";
    const Row rows[] = {
        {"16 lines", sixteen},
        {"line 17 not a number", sixteen + "oui\r\n"},
        {"missing file", QByteArray()},
    };
    for (const Row& row : rows) {
        const QString name = QString::fromLatin1(row.name) + QStringLiteral(".pam");
        if (!row.content.isEmpty()) write(name, row.content);
        overwriteFields();
        view.messages.clear();
        state().imageLoaded = true;
        state().solutionAccepted = true;
        state().markers.click[1].visible = true;
        chooser.answer = path(name);
        openProjectCommand(*controller, chooser);
        ASSERT_EQ(view.messages.size(), 1u) << row.name;
        EXPECT_TRUE(view.messages[0].warning) << row.name << ": exclamation icon";
        for (const auto& [control, text] : kProject)
            EXPECT_EQ(view.text(control), QStringLiteral("old")) << row.name;
        EXPECT_TRUE(view.loadedPaths.isEmpty()) << row.name << ": no image reload";
        EXPECT_TRUE(state().imageLoaded) << row.name;
        EXPECT_TRUE(state().solutionAccepted) << row.name;
        EXPECT_TRUE(state().markers.click[1].visible) << row.name;
    }
}

TEST_F(ProjectCommandsTest, OpeningResetsTheReductionAndTellsWhetherTheImageLoaded)
{
    fillProject();
    chooser.answer = path(QStringLiteral("p.pam"));
    saveProjectCommand(*controller, chooser);

    for (const bool imageLoads : {true, false}) {
        view.messages.clear();
        view.loadedPaths.clear();
        view.imageLoadError = imageLoads ? QString() : QStringLiteral("format inconnu");
        state().imageLoaded = !imageLoads;
        state().solutionAccepted = true;
        state().starsSelected = true;
        state().markers.star[4000].visible = true;
        state().markers.click[5].visible = true;
        openProjectCommand(*controller, chooser);

        ASSERT_EQ(view.loadedPaths.size(), 1) << imageLoads;
        EXPECT_EQ(view.loadedPaths[0], path(kProject[15].second)) << "relative to the program folder";
        EXPECT_EQ(state().imageLoaded, imageLoads);
        EXPECT_EQ(view.messages.size(), imageLoads ? 0u : 1u);
        EXPECT_FALSE(state().solutionAccepted);
        EXPECT_FALSE(state().starsSelected);
        EXPECT_FALSE(state().markers.star[4000].visible);
        EXPECT_FALSE(state().markers.click[5].visible);
        EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 12"));
    }

    // With the image loaded, calibration by image starts at once.
    view.imageLoadError.clear();
    openProjectCommand(*controller, chooser);
    controller->startEtalonage();
    EXPECT_EQ(state().mode, QStringLiteral("etalo"));
}

TEST_F(ProjectCommandsTest, SaveFailureIsReportedWithTheExclamationIcon)
{
    fillProject();
    chooser.answer = path(QStringLiteral("no such folder/p"));
    saveProjectCommand(*controller, chooser);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].warning);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("no such folder/p.pam"))));
}

TEST(ProjectDialogFilter, LanguageTextBecomesTheDialogsFilter)
{
    const std::vector<std::pair<QString, QString>> rows = {
        {QStringLiteral("Projet|*.pam"), QStringLiteral("Projet (*.pam)")},
        {QStringLiteral("Projet (*.pam)|*.pam"), QStringLiteral("Projet (*.pam)")},
        {QStringLiteral("Projet|*.pam|Tous|*.*"), QStringLiteral("Projet (*.pam);;Tous (*.*)")},
        {QStringLiteral("Images|*.jpg;*.gif"), QStringLiteral("Images (*.jpg *.gif)")},
        {QStringLiteral("Projet (*.pam)"), QStringLiteral("Projet (*.pam)")},
        {QString(), QString()},
    };
    for (const auto& [text, filter] : rows)
        EXPECT_EQ(projectDialogFilter(text), filter) << qPrintable(text);
}

}  // namespace
}  // namespace ce

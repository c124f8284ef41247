#include "app/builtin_texts.h"

#include "app/language_table.h"
#include "core/textfile.h"

#include <QByteArray>

#include <cstddef>

namespace ce {

// The bytes of data/lang.cfg, generated at build time.
extern const unsigned char kBuiltinLanguageFile[];
extern const std::size_t kBuiltinLanguageFileSize;

namespace {

LanguageTable readBuiltin()
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(kBuiltinLanguageFile),
                                                     qsizetype(kBuiltinLanguageFileSize));
    Result<LanguageTable> table = parseLanguageTable(splitLines(decodeWindows1252(bytes)));
    // The shipped file is checked by the tests; should it ever fail, every
    // text shows its key instead of the program stopping.
    LanguageTable builtin = table ? *table : LanguageTable{};
    builtin.fillMessages();
    return builtin;
}

}  // namespace

const LanguageTable& builtinLanguage()
{
    static const LanguageTable builtin = readBuiltin();
    return builtin;
}

QString builtinMessage(int n)
{
    const LanguageTable& b = builtinLanguage();
    if (n < kFirstLaterMessage || n >= static_cast<int>(b.messages.size())) return QString();
    const QString& text = b.messages[std::size_t(n)];
    return text == QLatin1String("[WIZARD]") ? QString() : text;
}

QString builtinSuggestion(int n)
{
    const LanguageTable& b = builtinLanguage();
    if (n < kFirstLaterSuggestion || n >= static_cast<int>(b.suggestions.size())) return QString();
    const QString& text = b.suggestions[std::size_t(n)];
    return text == QLatin1String("[END]") ? QString() : text;
}

QString builtinText(const QString& key)
{
    const LanguageTable& b = builtinLanguage();
    const auto it = b.keyed.find(key);
    return it == b.keyed.end() ? QString() : it->second;
}

}  // namespace ce

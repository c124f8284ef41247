#include "app/rtf_reader.h"

#include "core/textfile.h"

#include <QHash>
#include <QStringList>

#include <cctype>
#include <vector>

namespace ce {

QString RtfParagraph::plainText() const
{
    QString text;
    for (const RtfRun& run : runs)
        text += run.text;
    return text;
}

QString RtfDocument::plainText() const
{
    QStringList lines;
    for (const RtfParagraph& paragraph : paragraphs)
        lines.append(paragraph.plainText());
    return lines.join(u'\n');
}

namespace {

// Destinations whose contents are not text of the document.
bool isSkippedDestination(const QByteArray& word)
{
    static const QByteArray skipped[] = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer", "headerl",
        "headerr", "footerl", "footerr", "generator", "listtable", "listoverridetable",
        "rsidtbl", "themedata", "colorschememapping", "datastore", "latentstyles", "object",
        "field", "fldinst", "xmlnstbl", "mmathPr", "revtbl", "filetbl", "pgdsctbl"};
    for (const QByteArray& name : skipped) {
        if (word == name)
            return true;
    }
    return false;
}

// Control words that stand for one character.
QChar symbolOf(const QByteArray& word)
{
    static const QHash<QByteArray, char16_t> symbols = {
        {"emdash", u'\u2014'}, {"endash", u'\u2013'}, {"bullet", u'\u2022'},
        {"lquote", u'\u2018'}, {"rquote", u'\u2019'}, {"ldblquote", u'\u201C'},
        {"rdblquote", u'\u201D'}, {"tab", u'\t'}, {"line", u'\u2028'}, {"emspace", u'\u2003'},
        {"enspace", u'\u2002'}};
    const auto it = symbols.constFind(word);
    return it == symbols.constEnd() ? QChar() : QChar(*it);
}

struct GroupState {
    RtfRun format;         // text empty; the formatting in force
    bool skip = false;     // inside a destination that is not text
    int unicodeSkip = 1;   // \ucN: fallback characters after \uN
};

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

    RtfDocument read()
    {
        stack_.push_back(GroupState{});
        while (pos_ < bytes_.size()) {
            const char c = bytes_.at(pos_++);
            if (c == '{') {
                stack_.push_back(stack_.back());
                pendingSkip_ = 0;
            } else if (c == '}') {
                if (stack_.size() > 1)
                    stack_.pop_back();
                pendingSkip_ = 0;
            } else if (c == '\\') {
                controlSymbol();
            } else if (c == '\r' || c == '\n') {
                // Line ends in the source are not text.
            } else {
                text(decodeWindows1252(QByteArray(1, c)));
            }
        }
        endParagraph(false);
        return document_;
    }

private:
    GroupState& state() { return stack_.back(); }

    void text(const QString& characters)
    {
        if (state().skip)
            return;
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        const RtfRun& format = state().format;
        if (!current_.runs.isEmpty() && current_.runs.last().sameFormat(format)) {
            current_.runs.last().text += characters;
        } else {
            RtfRun run = format;
            run.text = characters;
            current_.runs.append(run);
        }
    }

    void endParagraph(bool explicitEnd)
    {
        if (explicitEnd || !current_.runs.isEmpty())
            document_.paragraphs.append(current_);
        current_ = RtfParagraph{};
    }

    void controlSymbol()
    {
        if (pos_ >= bytes_.size())
            return;
        const char c = bytes_.at(pos_);
        if (std::isalpha(static_cast<unsigned char>(c))) {
            controlWord();
            return;
        }
        ++pos_;
        switch (c) {
        case '\'': {
            const QByteArray hex = bytes_.mid(pos_, 2);
            pos_ += hex.size();
            bool ok = false;
            const int value = hex.toInt(&ok, 16);
            if (ok)
                text(decodeWindows1252(QByteArray(1, char(value))));
            break;
        }
        case '*':
            state().skip = true;
            break;
        case '\\': case '{': case '}':
            text(QString(QLatin1Char(c)));
            break;
        case '~':
            text(QString(QChar(0x00A0)));
            break;
        case '_':
            text(QStringLiteral("-"));
            break;
        case '\r': case '\n':
            if (!state().skip)
                endParagraph(true);
            break;
        default:
            break;  // "\-" optional hyphen and unknown symbols show nothing
        }
    }

    void controlWord()
    {
        const qsizetype start = pos_;
        while (pos_ < bytes_.size() && std::isalpha(static_cast<unsigned char>(bytes_.at(pos_))))
            ++pos_;
        const QByteArray word = bytes_.mid(start, pos_ - start);
        bool hasParameter = false;
        long parameter = 0;
        const qsizetype numberStart = pos_;
        if (pos_ < bytes_.size() && bytes_.at(pos_) == '-')
            ++pos_;
        while (pos_ < bytes_.size() && std::isdigit(static_cast<unsigned char>(bytes_.at(pos_))))
            ++pos_;
        if (pos_ > numberStart) {
            parameter = bytes_.mid(numberStart, pos_ - numberStart).toLong(&hasParameter);
            if (!hasParameter)
                pos_ = numberStart;
        }
        if (pos_ < bytes_.size() && bytes_.at(pos_) == ' ')
            ++pos_;  // the delimiting blank belongs to the control word
        apply(word, hasParameter, parameter);
    }

    void apply(const QByteArray& word, bool hasParameter, long parameter)
    {
        GroupState& group = state();
        const bool on = !hasParameter || parameter != 0;
        if (word != "u")
            pendingSkip_ = 0;
        if (isSkippedDestination(word)) {
            group.skip = true;
        } else if (word == "par") {
            if (!group.skip)
                endParagraph(true);
        } else if (word == "b") {
            group.format.bold = on;
        } else if (word == "i") {
            group.format.italic = on;
        } else if (word == "ul") {
            group.format.underline = on;
        } else if (word == "ulnone") {
            group.format.underline = false;
        } else if (word == "fs") {
            if (hasParameter && parameter > 0)
                group.format.halfPoints = int(parameter);
        } else if (word == "plain") {
            const RtfRun plain;
            group.format = plain;
        } else if (word == "uc") {
            if (hasParameter && parameter >= 0)
                group.unicodeSkip = int(parameter);
        } else if (word == "u") {
            // A signed 16-bit value: negative numbers stand for units above
            // 32767. Anything outside shows nothing.
            const long code = parameter < 0 ? parameter + 65536 : parameter;
            if (hasParameter && parameter >= -32768 && parameter <= 0xFFFF) {
                pendingSkip_ = 0;
                text(QString(QChar(char16_t(code))));
                pendingSkip_ = group.unicodeSkip;
            }
        } else if (const QChar symbol = symbolOf(word); !symbol.isNull()) {
            text(QString(symbol));
        }
    }

    const QByteArray& bytes_;
    qsizetype pos_ = 0;
    std::vector<GroupState> stack_;
    RtfDocument document_;
    RtfParagraph current_;
    int pendingSkip_ = 0;
};

}  // namespace

Result<RtfDocument> readRtf(const QByteArray& bytes)
{
    if (!bytes.startsWith("{\\rtf"))
        return Result<RtfDocument>::failure(QStringLiteral("Le fichier n'est pas au format RTF"));
    return Result<RtfDocument>::success(Reader(bytes).read());
}

}  // namespace ce

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
        "xmlnstbl", "mmathPr", "revtbl", "filetbl", "pgdsctbl", "bkmkend"};
    for (const QByteArray& name : skipped) {
        if (word == name)
            return true;
    }
    return false;
}

// The switches of a HYPERLINK instruction, which some writers leave
// unescaped ("\l" for "\\l") and so come as control words.
bool isFieldSwitch(const QByteArray& word)
{
    return word == "l" || word == "o" || word == "t" || word == "m" || word == "n" || word == "h";
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

// Where the characters of a group go.
enum class Destination {
    Text,         // the document
    Skipped,      // nowhere: a destination that is not text
    Instruction,  // the instruction of the innermost field (\fldinst)
    Bookmark,     // the name of a bookmark (\bkmkstart)
};

struct GroupState {
    RtfRun format;         // text empty; the formatting in force
    Destination destination = Destination::Text;
    int unicodeSkip = 1;   // \ucN: fallback characters after \uN
};

// A field being read: its instruction, and the depth of the group that
// holds it (the group stack's size when \field came).
struct OpenField {
    QString instruction;
    std::size_t depth = 0;
};

// The arguments of a field instruction: quoted ones as they stand, others up
// to a blank or a quote. `quoted` tells a quoted "\l" from the switch.
struct Argument {
    QString text;
    bool quoted = false;
};

QList<Argument> argumentsOf(const QString& instruction)
{
    QList<Argument> arguments;
    qsizetype at = 0;
    const qsizetype size = instruction.size();
    while (at < size) {
        if (instruction.at(at).isSpace()) {
            ++at;
        } else if (instruction.at(at) == u'"') {
            const qsizetype close = instruction.indexOf(u'"', at + 1);
            const qsizetype end = close < 0 ? size : close;
            arguments.append({instruction.mid(at + 1, end - at - 1), true});
            at = end + 1;
        } else {
            const qsizetype start = at;
            while (at < size && !instruction.at(at).isSpace() && instruction.at(at) != u'"')
                ++at;
            arguments.append({instruction.mid(start, at - start), false});
        }
    }
    return arguments;
}

// The link target of a HYPERLINK instruction; empty for any other field.
QString hyperlinkTarget(const QString& instruction)
{
    const QList<Argument> arguments = argumentsOf(instruction);
    if (arguments.isEmpty() || arguments.first().quoted
        || arguments.first().text.compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return {};
    QString address;
    QString bookmark;
    bool haveAddress = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const Argument& argument = arguments.at(i);
        if (!argument.quoted && argument.text.startsWith(u'\\')) {
            const QString name = argument.text.mid(1).toLower();
            const bool takesArgument = name == u"l" || name == u"o" || name == u"t";
            if (takesArgument && i + 1 < arguments.size()) {
                ++i;
                if (name == u"l")
                    bookmark = arguments.at(i).text;
            }
        } else if (!haveAddress) {
            address = argument.text;
            haveAddress = true;
        }
    }
    if (bookmark.isEmpty())
        return address;
    return address + u'#' + bookmark;
}

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
                    closeGroup();
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
        const Destination destination = state().destination;
        if (destination == Destination::Skipped)
            return;
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (destination == Destination::Instruction) {
            fields_.back().instruction += characters;
            return;
        }
        if (destination == Destination::Bookmark) {
            bookmarkName_ += characters;
            return;
        }
        currentLength_ += characters.size();
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
        if (explicitEnd || !current_.runs.isEmpty() || !current_.bookmarks.isEmpty())
            document_.paragraphs.append(current_);
        current_ = RtfParagraph{};
        currentLength_ = 0;
    }

    // The destination of the group that holds the current one.
    Destination outerDestination() const
    {
        return stack_.size() > 1 ? stack_[stack_.size() - 2].destination : Destination::Skipped;
    }

    // The field whose group directly holds the current group, if any.
    OpenField* fieldOfThisGroup()
    {
        if (fields_.empty() || fields_.back().depth + 1 != stack_.size())
            return nullptr;
        return &fields_.back();
    }

    void closeGroup()
    {
        const GroupState closed = stack_.back();
        if (closed.destination == Destination::Bookmark && outerDestination() == Destination::Text) {
            const QString name = bookmarkName_.trimmed();
            if (!name.isEmpty())
                current_.bookmarks.append({name, currentLength_});
        }
        while (!fields_.empty() && fields_.back().depth >= stack_.size())
            fields_.pop_back();
        stack_.pop_back();
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
            state().destination = Destination::Skipped;
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
            if (state().destination == Destination::Text)
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
            group.destination = Destination::Skipped;
        } else if (word == "field") {
            if (group.destination == Destination::Text)
                fields_.push_back({QString(), stack_.size()});
        } else if (word == "fldinst") {
            // Usually marked "\*", which has already set the group aside.
            if (fieldOfThisGroup() && outerDestination() == Destination::Text)
                group.destination = Destination::Instruction;
        } else if (word == "fldrslt") {
            if (const OpenField* field = fieldOfThisGroup()) {
                const QString link = hyperlinkTarget(field->instruction);
                if (!link.isEmpty())
                    group.format.link = link;
            }
        } else if (word == "bkmkstart") {
            if (outerDestination() == Destination::Text) {
                group.destination = Destination::Bookmark;
                bookmarkName_.clear();
            }
        } else if (group.destination == Destination::Instruction && !hasParameter && isFieldSwitch(word)) {
            // A field switch written without its escape ("\l" for "\\l").
            text(QLatin1Char('\\') + QString::fromLatin1(word) + QLatin1Char(' '));
        } else if (word == "par") {
            if (group.destination == Destination::Text)
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
            // Plain text inside a link stays the link.
            RtfRun plain;
            plain.link = group.format.link;
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
    qsizetype currentLength_ = 0;  // characters of current_ so far
    int pendingSkip_ = 0;
    std::vector<OpenField> fields_;  // innermost last
    QString bookmarkName_;
};

}  // namespace

Result<RtfDocument> readRtf(const QByteArray& bytes, const TextLookup& lang)
{
    if (!bytes.startsWith("{\\rtf"))
        return Result<RtfDocument>::failure(lang.text(QStringLiteral("help.not_rtf")));
    return Result<RtfDocument>::success(Reader(bytes).read());
}

}  // namespace ce

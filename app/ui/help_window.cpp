#include "app/ui/help_window.h"

#include "app/language_table.h"
#include "app/ui/apply_lang.h"
#include "app/ui/dialogs.h"
#include "core/textfile.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace ce {

namespace {

QTextCharFormat charFormat(const RtfRun& run)
{
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setFontPointSize(run.halfPoints / 2.0);
    if (!run.link.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(run.link);
        format.setFontUnderline(true);
        format.setForeground(QGuiApplication::palette().link());
        // Only links within the page are followed; any other shows where it
        // leads.
        if (!run.link.startsWith(u'#'))
            format.setToolTip(run.link);
    }
    return format;
}

// The lamp drawn at the window's side, a reminder that this is the help.
QPixmap helpEmblem()
{
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(255, 214, 64));
    painter.setPen(QPen(QColor(120, 90, 0), 1.5));
    painter.drawEllipse(QRectF(8, 2, 24, 24));
    painter.setBrush(QColor(140, 140, 140));
    painter.drawRect(QRectF(14, 26, 12, 8));
    painter.drawLine(QPointF(14, 30), QPointF(26, 30));
    return pixmap;
}

}  // namespace

QHash<QString, int> fillTextDocument(const RtfDocument& rtf, QTextDocument& document)
{
    QHash<QString, int> bookmarks;
    document.clear();
    QTextCursor cursor(&document);
    QTextBlockFormat block;
    block.setBottomMargin(4);
    // A paragraph goes on in further blocks, without the space between
    // paragraphs, once it holds kLongParagraphChars characters: Qt lays out a
    // block as a whole, so one paragraph of megabytes would keep the window
    // busy for tens of seconds at every resize.
    QTextBlockFormat continued = block;
    continued.setBottomMargin(0);
    bool first = true;
    for (const RtfParagraph& paragraph : rtf.paragraphs) {
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        first = false;
        qsizetype inBlock = 0;
        // Characters of the paragraph inserted so far, and its next bookmark.
        qsizetype done = 0;
        qsizetype nextBookmark = 0;
        // Places the bookmarks that stand before character `upTo` of the
        // paragraph, the text from `done` on being about to go in at the cursor.
        const auto placeBookmarks = [&](qsizetype upTo) {
            for (; nextBookmark < paragraph.bookmarks.size(); ++nextBookmark) {
                const RtfBookmark& bookmark = paragraph.bookmarks[nextBookmark];
                if (bookmark.offset >= upTo)
                    break;
                if (!bookmarks.contains(bookmark.name))
                    bookmarks.insert(bookmark.name, cursor.position() + int(bookmark.offset - done));
            }
        };
        const auto insert = [&](QStringView text, const QTextCharFormat& format) {
            placeBookmarks(done + text.size());
            cursor.insertText(text.toString(), format);
            done += text.size();
        };
        for (const RtfRun& run : paragraph.runs) {
            const QTextCharFormat format = charFormat(run);
            QStringView rest(run.text);
            while (inBlock + rest.size() > kLongParagraphChars) {
                const qsizetype room = kLongParagraphChars - inBlock;
                // Cut after the last blank within reach, or at the limit when
                // there is none.
                const qsizetype blank = rest.first(room).lastIndexOf(u' ');
                const qsizetype cut = blank >= 0 ? blank + 1 : room;
                insert(rest.first(cut), format);
                rest = rest.sliced(cut);
                cursor.setBlockFormat(continued);
                cursor.insertBlock(block);
                inBlock = 0;
            }
            insert(rest, format);
            inBlock += rest.size();
        }
        placeBookmarks(done + 1);  // those at the paragraph's end
    }
    return bookmarks;
}

frmTip::frmTip(const QString& helpFile, LanguageTable& lang, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(lang.text(QStringLiteral("help.title")));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setPixmap(helpEmblem());
    picture1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto* label1 = new QLabel(lang.text(QStringLiteral("help.heading")), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    label1->setFont(heading);

    textbox_ = new QTextBrowser(this);
    textbox_->setObjectName(QStringLiteral("textbox"));
    textbox_->setOpenLinks(false);
    connect(textbox_, &QTextBrowser::anchorClicked, this, &frmTip::followLink);

    auto* next = new QPushButton(lang.text(QStringLiteral("help.next")), this);
    next->setObjectName(QStringLiteral("cmdNextTip"));
    auto* ok = new QPushButton(lang.text(QStringLiteral("box.ok")), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    // "Page suivante" has no page to turn to: the help is one page.

    auto* side = new QVBoxLayout;
    side->addWidget(picture1);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(side);
    auto* main = new QVBoxLayout;
    main->addWidget(label1);
    main->addWidget(textbox_, 1);
    top->addLayout(main, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(640, 520);

    // Load step: the file, then the texts; a failure skips the texts.
    Result<QByteArray> bytes = readFileBytes(helpFile, lang);
    if (!bytes) {
        dialogs.message(parent, bytes.error(), QString(), false);
        return;
    }
    Result<RtfDocument> rtf = readRtf(*bytes, lang);
    if (!rtf) {
        dialogs.message(parent, helpFile + QStringLiteral(" : ") + rtf.error(), QString(), false);
        return;
    }
    bookmarks_ = fillTextDocument(*rtf, *textbox_->document());
    textbox_->moveCursor(QTextCursor::Start);
    ApplyLang(*this, lang, QStringLiteral("aide"));
}

QString frmTip::plainText() const { return textbox_->toPlainText(); }

bool frmTip::showBookmark(const QString& name)
{
    const auto it = bookmarks_.constFind(name);
    if (it == bookmarks_.constEnd())
        return false;
    QTextCursor cursor(textbox_->document());
    cursor.setPosition(*it);
    textbox_->setTextCursor(cursor);
    // The bookmark's line at the top of the view, not merely somewhere in it.
    const int lineTop = textbox_->cursorRect(cursor).top();
    QScrollBar* bar = textbox_->verticalScrollBar();
    bar->setValue(bar->value() + lineTop);
    return true;
}

void frmTip::followLink(const QUrl& link)
{
    if (link.scheme().isEmpty() && link.path().isEmpty() && link.hasFragment())
        showBookmark(link.fragment(QUrl::FullyDecoded));
}

QTextDocument* frmTip::document() const { return textbox_->document(); }

}  // namespace ce

#include "app/ui/help_window.h"

#include "app/language_table.h"
#include "app/ui/apply_lang.h"
#include "app/ui/dialogs.h"
#include "core/textfile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
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

void fillTextDocument(const RtfDocument& rtf, QTextDocument& document)
{
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
        for (const RtfRun& run : paragraph.runs) {
            const QTextCharFormat format = charFormat(run);
            QStringView rest(run.text);
            while (inBlock + rest.size() > kLongParagraphChars) {
                const qsizetype room = kLongParagraphChars - inBlock;
                // Cut after the last blank within reach, or at the limit when
                // there is none.
                const qsizetype blank = rest.first(room).lastIndexOf(u' ');
                const qsizetype cut = blank >= 0 ? blank + 1 : room;
                cursor.insertText(rest.first(cut).toString(), format);
                rest = rest.sliced(cut);
                cursor.setBlockFormat(continued);
                cursor.insertBlock(block);
                inBlock = 0;
            }
            cursor.insertText(rest.toString(), format);
            inBlock += rest.size();
        }
    }
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
    Result<QByteArray> bytes = readFileBytes(helpFile);
    if (!bytes) {
        dialogs.message(parent, bytes.error(), QString(), false);
        return;
    }
    Result<RtfDocument> rtf = readRtf(*bytes);
    if (!rtf) {
        dialogs.message(parent, helpFile + QStringLiteral(" : ") + rtf.error(), QString(), false);
        return;
    }
    fillTextDocument(*rtf, *textbox_->document());
    textbox_->moveCursor(QTextCursor::Start);
    ApplyLang(*this, lang, QStringLiteral("aide"));
}

QString frmTip::plainText() const { return textbox_->toPlainText(); }

QTextDocument* frmTip::document() const { return textbox_->document(); }

}  // namespace ce

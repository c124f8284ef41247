#include "skymap/ui/frm_detail.h"

#include "app/ui/fixed_font.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

namespace ce {
namespace {

// The report is 16 lines of at most about 60 characters; the box shows all
// of it without scrolling, with a little room to spare.
constexpr int kVisibleColumns = 64;
constexpr int kVisibleLines = 17;

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

namespace skymap {

FrmDetail::FrmDetail(const LanguageTable& lang, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmDetail"));
    setModal(true);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Text"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(fixedWidthFont());

    // Room for the text itself, the document margins on both sides, the
    // frame, and a scroll bar should the style show one anyway.
    const QFontMetrics metrics(text_->font());
    const int margins = 2 * (static_cast<int>(text_->document()->documentMargin()) + text_->frameWidth());
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    text_->setMinimumSize(metrics.horizontalAdvance(QString(kVisibleColumns, u'0')) + margins + scrollBar,
                          metrics.lineSpacing() * kVisibleLines + margins + scrollBar);

    auto* copyButton = new QPushButton(lang.text(QStringLiteral("box.copy")), this);
    copyButton->setObjectName(QStringLiteral("copy"));
    copyButton->setAutoDefault(false);
    auto* okButton = new QPushButton(lang.text(QStringLiteral("box.ok")), this);
    okButton->setObjectName(QStringLiteral("OKButton"));
    okButton->setDefault(true);
    connect(copyButton, &QPushButton::clicked, this, &FrmDetail::copy);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyButton);
    buttons->addWidget(okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
}

void FrmDetail::fill(const QString& title, const QString& report)
{
    setWindowTitle(title);
    // The box keeps one paragraph per line; CR LF would show a stray CR.
    QString shown = report;
    shown.replace(kCrLf, QStringLiteral("\n"));
    text_->setPlainText(shown);
}

QString FrmDetail::report() const
{
    QString content = text_->toPlainText();
    content.replace(u'\n', kCrLf);
    return content;
}

void FrmDetail::copy() { QGuiApplication::clipboard()->setText(report()); }

}  // namespace skymap

void showFrmDetail(QWidget* parent, const QString& title, const QString& report,
                   const LanguageTable& lang)
{
    skymap::FrmDetail window(lang, parent);
    window.fill(title, report);
    window.exec();
}

}  // namespace ce

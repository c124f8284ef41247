#include "app/ui/detail_window.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ce {

FrmDetail::FrmDetail(const QString& title, const QString& report, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmDetail"));
    setWindowTitle(title);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Text"));
    text_->setReadOnly(true);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The report ends its lines with CR LF; the box shows one break per line.
    QString shown = report;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(shown);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics metrics(text_->font());
    text_->setMinimumSize(metrics.horizontalAdvance(u'M') * 64, metrics.lineSpacing() * 18);

    auto* copyButton = new QPushButton(QStringLiteral("Copier"), this);
    copyButton->setObjectName(QStringLiteral("copy"));
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
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

QString FrmDetail::report() const { return text_->toPlainText(); }

void FrmDetail::copy() { QGuiApplication::clipboard()->setText(text_->toPlainText()); }

}  // namespace ce

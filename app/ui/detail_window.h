#pragma once
// FrmDetail: the report on one catalogue object, modal, with a button that
// copies the report to the clipboard.

#include <QDialog>

class QPlainTextEdit;

namespace ce {

class FrmDetail final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmDetail)

public:
    FrmDetail(const QString& title, const QString& report, QWidget* parent = nullptr);

    QString report() const;
    // "Copier": the whole report to the clipboard as plain text.
    void copy();

private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace ce

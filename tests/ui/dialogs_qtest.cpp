// The real boxes speak French even where Qt's own translations are missing:
// the Yes/No question, the file dialogs' labels and the question before a
// file is replaced. Each box is answered from a timer once it is shown.

#include "app/ui/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs `act` on the modal window once it is the active one.
void whenModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
        else
            whenModal(act);
    });
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void questionAndSaveDialogAreFrench()
    {
        ce::QtDialogs dialogs;
        QStringList buttons;
        whenModal([&buttons](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            for (QAbstractButton* button : box->buttons()) buttons.append(button->text());
            box->button(QMessageBox::Yes)->click();
        });
        QVERIFY(dialogs.askYesNo(nullptr, QStringLiteral("Continuer ?"), QString()));
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("&Non"), QStringLiteral("&Oui")}));

        QTemporaryDir folder;
        const QString existing = folder.filePath(QStringLiteral("m31.pam"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // Choose the existing file and answer Non (the dialog stays, then is
        // cancelled); again and answer Oui: the chosen file.
        QStringList labels, questions;
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            whenModal([&, answer](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                QVERIFY(dialog);
                for (auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept, QFileDialog::Reject})
                    labels.append(dialog->labelText(label));
                whenModal([&questions, answer](QWidget* asking) {
                    auto* box = qobject_cast<QMessageBox*>(asking);
                    QVERIFY(box);
                    questions.append(box->text());
                    box->button(answer)->click();
                    if (answer == QMessageBox::No) whenModal([](QWidget* again) { qobject_cast<QFileDialog*>(again)->reject(); });
                });
                dialog->selectFile(QStringLiteral("m31.pam"));
                QMetaObject::invokeMethod(dialog, "accept");  // as the Enregistrer button does
            });
            QCOMPARE(dialogs.saveFileName(nullptr, QStringLiteral("Enregistrer"), folder.path(), QStringLiteral("Projet (*.pam)")),
                     answer == QMessageBox::Yes ? existing : QString());
        }
        QCOMPARE(labels.mid(0, 5), (QStringList{"Regarder dans :", "Nom du fichier :", "Type de fichier :", "&Enregistrer", "Annuler"}));
        QCOMPARE(questions, QStringList(2, QStringLiteral("Le fichier m31.pam existe déjà. Voulez-vous le remplacer ?")));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_qtest.moc"

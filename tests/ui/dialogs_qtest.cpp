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
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            whenModal(act);
            return;
        }
        act(modal);
    });
}

QStringList buttonTexts(QWidget* box)
{
    QStringList texts;
    for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty())
            texts.append(button->text());
    }
    texts.sort();
    return texts;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void questionAnswersOuiOrNon()
    {
        ce::QtDialogs dialogs;
        QStringList shown;
        for (const bool yes : {true, false}) {
            whenModal([&shown, yes](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                QVERIFY(box);
                shown = buttonTexts(box);
                box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            QCOMPARE(dialogs.askYesNo(nullptr, QStringLiteral("Continuer ?"), QString()), yes);
            QCOMPARE(shown, (QStringList{QStringLiteral("&Non"), QStringLiteral("&Oui")}));
        }
    }

    void saveDialogIsFrenchAndAsksBeforeReplacing()
    {
        QTemporaryDir folder;
        const QString existing = folder.filePath(QStringLiteral("m31.pam"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        ce::QtDialogs dialogs;
        QStringList labels;
        QString question;
        // Choose the existing file, answer Non to the question (the dialog
        // stays), then cancel.
        whenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            for (auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType,
                               QFileDialog::Accept, QFileDialog::Reject})
                labels.append(dialog->labelText(label));
            whenModal([&, dialog](QWidget* asking) {
                auto* box = qobject_cast<QMessageBox*>(asking);
                QVERIFY(box);
                question = box->text();
                box->button(QMessageBox::No)->click();
                whenModal([](QWidget* again) { qobject_cast<QFileDialog*>(again)->reject(); });
            });
            dialog->selectFile(QStringLiteral("m31.pam"));
            QMetaObject::invokeMethod(dialog, "accept");  // as the Enregistrer button does
        });
        QCOMPARE(dialogs.saveFileName(nullptr, QStringLiteral("Enregistrer le projet"), folder.path(),
                                      QStringLiteral("Projet (*.pam)")),
                 QString());
        QCOMPARE(labels, (QStringList{"Regarder dans :", "Nom du fichier :", "Type de fichier :",
                                      "&Enregistrer", "Annuler"}));
        QCOMPARE(question, QStringLiteral("Le fichier m31.pam existe déjà. Voulez-vous le remplacer ?"));

        // Oui returns the chosen file.
        whenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            whenModal([](QWidget* asking) {
                qobject_cast<QMessageBox*>(asking)->button(QMessageBox::Yes)->click();
            });
            dialog->selectFile(QStringLiteral("m31.pam"));
            QMetaObject::invokeMethod(dialog, "accept");  // as the Enregistrer button does
        });
        QCOMPARE(dialogs.saveFileName(nullptr, QString(), folder.path(), QString()), existing);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_qtest.moc"

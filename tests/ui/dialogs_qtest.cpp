// The real boxes speak French even where Qt's own translations are missing:
// the Yes/No question, the file dialogs' labels and the question before a file
// is replaced. Then the object details window: its report in a monospace box,
// "Copier", "OK" and the close box. Each is answered from a timer once shown.

#include "app/ui/dialogs.h"
#include "skymap/ui/frm_detail.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextBlock>
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

    void questionAboutTheImageStandsBesideItAndLeavesItUsable()
    {
        // A window with an "image" on its left half; the screen leaves room
        // on its right.
        QWidget window;
        window.setGeometry(20, 40, 600, 400);
        auto* image = new QWidget(&window);
        image->setGeometry(0, 0, 300, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ce::QtDialogs dialogs;
        for (const bool answer : {true, false}) {
            bool checked = false;
            QTimer::singleShot(0, this, [&] {
                QMessageBox* box = nullptr;
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
                auto answerAnyway = qScopeGuard([&] { if (box) box->button(answer ? QMessageBox::Yes : QMessageBox::No)->click(); });
                QVERIFY(box);
                // Not modal: the image underneath still takes the pointer.
                QVERIFY(!QApplication::activeModalWidget());
                const QRect imageOnScreen(image->mapToGlobal(QPoint(0, 0)), image->size());
                QVERIFY(!box->frameGeometry().intersects(imageOnScreen));
                QCOMPARE(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
                checked = true;
            });
            QCOMPARE(dialogs.askYesNoBesideImage(&window, QStringLiteral("Cette solution ?"), QString(), image), answer);
            QVERIFY(checked);
        }
    }

    void detailsWindowShowsCopiesAndCloses()
    {
        QStringList lines(16, QStringLiteral("   "));  // joined with CR LF, blanks kept at both ends
        lines[0] = QStringLiteral("INFORMATION SUR L'OBJET");
        lines[2] = QStringLiteral("   Magnitude Rouge:  9.8");
        const QString report = lines.join(QStringLiteral("\r\n"));
        QWidget owner;
        QPointer<ce::skymap::FrmDetail> shown;
        for (const bool viaOk : {true, false}) {
            QGuiApplication::clipboard()->setText(QStringLiteral("texte d'avant"));
            whenModal([&](QWidget* modal) {
                auto closeAnyway = qScopeGuard([modal] { modal->close(); });  // a failed check never leaves it open
                auto* window = qobject_cast<ce::skymap::FrmDetail*>(modal);
                QVERIFY(window && window != shown && window->parentWidget() == &owner);  // a fresh window each time
                shown = window;
                QCOMPARE(window->windowTitle(), QStringLiteral("About 0825-07582619"));
                auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("Text"));
                QVERIFY(text->isReadOnly());
                QCOMPARE(text->document()->blockCount(), 16);
                QCOMPARE(text->document()->findBlockByNumber(2).text(), lines[2]);
                // Columns line up: every glyph of the report's font advances alike.
                const QFontMetricsF metrics(text->font());
                for (const QChar c : {u'i', u'.', u'W', u' '})
                    QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(u'M'));
                // "Copier" puts the whole report on the clipboard, CR LF and blanks kept.
                QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("copy")), Qt::LeftButton);
                QVERIFY(window->isVisible());
                closeAnyway.dismiss();
                if (viaOk)
                    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
                else
                    window->close();  // the close box ends the modal call too
            });
            ce::showFrmDetail(&owner, QStringLiteral("About 0825-07582619"), report);
            if (QTest::currentTestFailed()) return;  // the window's own failure, told once
            QCOMPARE(QGuiApplication::clipboard()->text(), report);
            QVERIFY(shown.isNull());  // discarded once closed
        }
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_qtest.moc"

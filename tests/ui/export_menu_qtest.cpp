// The exports in the real main window: the Fichier entries with their
// language texts, the save dialog proposing the file beside the image, the
// refusal box without a solution, and "Copier tout" in the journal's
// context menu.

#include "app/ui/form1.h"
#include "tests/ui/ui_support.h"

#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QtTest>

using ce::testing::WindowRig;

class ExportMenuTest : public QObject {
    Q_OBJECT

private slots:
    void entriesRefuseWithoutSolutionThenWriteBesideTheImage()
    {
        WindowRig rig;
        for (const char* key : {"export.menu.wcs", "export.menu.csv", "export.nosolution", "export.wcs.title",
                                "export.csv.title", "export.wcs.filter", "export.csv.filter"})
            rig.lang.keyed[QString::fromLatin1(key)] = QStringLiteral("<%1>").arg(QLatin1String(key));
        rig.lang.keyed[QStringLiteral("export.csv.done")] = QStringLiteral("<export.csv.done> %1 %2");
        ce::Form1& form = rig.open();
        auto* file = form.findChild<QMenu*>(QStringLiteral("mnu_fichier"));
        QVERIFY(file);
        auto* wcs = form.findChild<QAction*>(QStringLiteral("mnu_export_wcs"));
        auto* csv = form.findChild<QAction*>(QStringLiteral("mnu_export_csv"));
        QVERIFY(wcs && csv);
        QVERIFY(file->actions().contains(wcs) && file->actions().contains(csv));
        QCOMPARE(wcs->text(), QStringLiteral("<export.menu.wcs>"));
        QCOMPARE(csv->text(), QStringLiteral("<export.menu.csv>"));

        wcs->trigger();
        csv->trigger();
        QCOMPARE(rig.dialogs.messages.size(), 2);
        QCOMPARE(rig.dialogs.messages[0].text, QStringLiteral("<export.nosolution>"));
        QCOMPARE(rig.dialogs.messages[1].title, QStringLiteral("<export.csv.title>"));
        QVERIFY(rig.dialogs.fileDialogs.isEmpty());

        // An image and an accepted solution: the dialog proposes the list
        // beside the image, and the list is written.
        const QString image = rig.program.programFile(QStringLiteral("champ.png"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QVERIFY(picture.save(image));
        form.setText(QStringLiteral("txt_url"), image);
        form.controller().Loadimg();
        ce::ReductionState& st = form.controller().state();
        st.solutionAccepted = true;
        st.corrAsd = st.corrDec = 3600;
        st.refined = ce::TanWcs{10.0, 20.0, 20.0, 15.0, -1 / 3600.0, 0, 0, -1 / 3600.0};
        rig.dialogs.fileName = rig.program.programFile(QStringLiteral("liste.csv"));
        csv->trigger();
        QCOMPARE(rig.dialogs.fileDialogs.size(), 1);
        QCOMPARE(rig.dialogs.fileDialogs[0],
                 QStringList({"<export.csv.title>", rig.program.programFile(QStringLiteral("champ.csv")),
                              "<export.csv.filter>"}));
        QVERIFY(QFile::exists(rig.dialogs.fileName));
        QCOMPARE(rig.dialogs.messages.size(), 2);
    }

    void copyAllPutsTheWholeJournalOnTheClipboard()
    {
        WindowRig rig;
        rig.lang.keyed[QStringLiteral("export.copyall")] = QStringLiteral("Copier tout");
        ce::Form1& form = rig.open();
        auto* journal = form.findChild<QListWidget*>(QStringLiteral("status"));
        QVERIFY(journal);
        form.addStatus(QStringLiteral("première ligne"));
        form.addStatus(QStringLiteral("Étoiles marquées : 3/5"));
        form.addStatus(QStringLiteral("dernière, la plus récente"));
        QCOMPARE(journal->contextMenuPolicy(), Qt::ActionsContextMenu);
        auto* copyAll = journal->findChild<QAction*>(QStringLiteral("mnu_copyall"));
        QVERIFY(copyAll);
        QVERIFY(journal->actions().contains(copyAll));
        QCOMPARE(copyAll->text(), QStringLiteral("Copier tout"));
        QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
        copyAll->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("dernière, la plus récente\nÉtoiles marquées : 3/5\npremière ligne"));
    }
};

QTEST_MAIN(ExportMenuTest)
#include "export_menu_qtest.moc"

// The project menu entries through the windows' Dialogs: the dialog titles,
// folder and filter and the ".pam" suffix on the name the dialog returns.
// (Cancelling and bad files are covered by the project commands' own tests.)

#include "project/ui/project_dialogs.h"

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/ui/recording_dialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace ce {

class ProjectDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void saveAndOpenThroughTheDialogs()
    {
        QTemporaryDir folder;
        LanguageTable lang;
        lang.messages[12] = QStringLiteral("Ouvrir un projet");
        lang.messages[13] = QStringLiteral("Projet (*.pam)");
        lang.messages[14] = QStringLiteral("Enregistrer le projet");
        testing::FakeView view;
        testing::RecordingDialogs dialogs;
        ReductionController controller(view, lang, ProgramPaths{folder.path(), folder.path()});
        controller.createMarkers();
        view.setText(QStringLiteral("txt_url"), QStringLiteral("m31.jpg"));
        view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("2599.43"));

        dialogs.fileName = folder.path() + QStringLiteral("/soir");
        saveProjectDialog(nullptr, controller, dialogs);
        QVERIFY(QFile::exists(folder.path() + QStringLiteral("/soir.pam")));
        QCOMPARE(dialogs.fileDialogs.size(), 1);
        QCOMPARE(dialogs.fileDialogs[0].title, QStringLiteral("Enregistrer le projet"));
        QCOMPARE(dialogs.fileDialogs[0].folder, folder.path());
        QCOMPARE(dialogs.fileDialogs[0].filter, QStringLiteral("Projet (*.pam)"));

        view.setText(QStringLiteral("txt_corrasd"), QStringLiteral("1"));
        dialogs.fileName = folder.path() + QStringLiteral("/soir.pam");
        openProjectDialog(nullptr, controller, dialogs);
        QCOMPARE(dialogs.fileDialogs[1].title, QStringLiteral("Ouvrir un projet"));
        QCOMPARE(view.text(QStringLiteral("txt_corrasd")), QStringLiteral("2599.43"));
        QCOMPARE(view.loadedPaths, QStringList{folder.path() + QStringLiteral("/m31.jpg")});
    }
};

}  // namespace ce

QTEST_MAIN(ce::ProjectDialogsTest)
#include "project_dialogs_qtest.moc"

// "Enregistrer Projet" and "Ouvrir Projet" through the controller, with a
// scripted file chooser.

#include "project/flow/project_commands.h"

#include "app/flow/reduction_controller.h"
#include "tests/flow/fake_view.h"
#include "tests/flow/flow_support.h"

#include <gtest/gtest.h>

#include <QDir>

#include <utility>
#include <vector>

namespace ce::testing {
namespace {

// Answers the dialogs with a fixed name and records what they were asked.
class ScriptedChooser final : public ProjectFileChooser {
public:
    QString saveFileName(const QString& title, const QString& folder, const QString& filter) override
    {
        asked.push_back({title, folder, filter});
        return answer;
    }
    QString openFileName(const QString& title, const QString& folder, const QString& filter) override
    {
        asked.push_back({title, folder, filter});
        return answer;
    }

    struct Asked {
        QString title, folder, filter;
    };
    QString answer;
    std::vector<Asked> asked;
};

// The sixteen text controls of a project in file order, each with a value;
// an empty field and a "-" sign among them.
const std::vector<std::pair<QString, QString>> kProject = {
    {"txt_calcul", "12"},          {"txt_corrasd", "2599.43"}, {"txt_corrdec", "2709.96"},
    {"txt_dec_0", "22"},           {"txt_dec_1", ""},          {"txt_dec_2", "01.5"},
    {"txt_dec_sign_show_0", "-"},  {"txt_distance", "14"},     {"txt_epoch", "2004.5"},
    {"txt_mag", "13"},             {"txt_mag2", "16.5"},       {"txt_ra_0", "1"},
    {"txt_ra_1", "34"},            {"txt_ra_2", "50"},         {"txt_tolerance", "4"},
    {"txt_url", "images/m31 é.jpg"},
};

class ProjectCommandsTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        lang.messages[12] = QStringLiteral("Ouvrir un projet");
        lang.messages[13] = QStringLiteral("Projet|*.pam");
        lang.messages[14] = QStringLiteral("Enregistrer le projet");
    }

    void fillProject()
    {
        for (const auto& [control, text] : kProject) view.setText(control, text);
        view.setCheckState(QStringLiteral("CheckDecideur"), 1);
    }
    void overwriteFields()
    {
        for (const auto& [control, text] : kProject) view.setText(control, QStringLiteral("old"));
        view.setCheckState(QStringLiteral("CheckDecideur"), 0);
    }
    QString path(const QString& name) const { return folders.program.path() + u'/' + name; }
    QStringList files() const { return QDir(folders.program.path()).entryList(QDir::Files); }

    ScriptedChooser chooser;
};

TEST_F(ProjectCommandsTest, SaveThenOpenRestoresAllSeventeenValues)
{
    fillProject();
    chooser.answer = path(QStringLiteral("m31"));
    saveProjectCommand(controller, chooser);
    ASSERT_TRUE(view.messages.empty());
    ASSERT_EQ(chooser.asked.size(), 1u);
    EXPECT_EQ(chooser.asked[0].title, QStringLiteral("Enregistrer le projet"));
    EXPECT_EQ(chooser.asked[0].folder, folders.program.path());
    EXPECT_EQ(chooser.asked[0].filter, QStringLiteral("Projet (*.pam)"));

    // The sixteen texts in order, then the check box as "1", CR LF line ends,
    // é as its single Windows-1252 byte.
    QByteArray expected;
    for (const auto& [control, text] : kProject) expected += text.toLatin1() + "\r\n";
    QFile file(path(QStringLiteral("m31.pam")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected + "1\r\n");

    overwriteFields();
    chooser.answer = path(QStringLiteral("m31.pam"));
    openProjectCommand(controller, chooser);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(chooser.asked[1].title, QStringLiteral("Ouvrir un projet"));
    for (const auto& [control, text] : kProject) EXPECT_EQ(view.text(control), text) << qPrintable(control);
    EXPECT_EQ(view.checkState(QStringLiteral("CheckDecideur")), 1);
}

TEST_F(ProjectCommandsTest, SaveAddsTheSuffixAndWritesNothingWhenCancelledOrFailing)
{
    // (Which names get the suffix is the project file's own case.)
    fillProject();
    chooser.answer.clear();  // cancelled
    saveProjectCommand(controller, chooser);
    EXPECT_TRUE(files().isEmpty());
    EXPECT_TRUE(view.messages.empty());
    chooser.answer = path(QStringLiteral("no such folder/p"));
    saveProjectCommand(controller, chooser);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].warning);
    EXPECT_TRUE(files().isEmpty());
    chooser.answer = path(QStringLiteral("plain"));
    saveProjectCommand(controller, chooser);
    EXPECT_EQ(files(), QStringList{"plain.pam"});

    // "plain" again: only the suffix makes it collide, so the user is asked;
    // No keeps the saved file, Yes replaces it.
    QFile kept(path(QStringLiteral("plain.pam")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray first = kept.readAll();
    kept.close();
    view.setText(QStringLiteral("txt_mag"), QStringLiteral("15.5"));
    view.answers = {false, true};
    saveProjectCommand(controller, chooser);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_TRUE(view.questions[0].text.contains(QStringLiteral("plain.pam")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), first);
    kept.close();
    saveProjectCommand(controller, chooser);
    ASSERT_EQ(view.questions.size(), 2u);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().contains("15.5"));
}

TEST_F(ProjectCommandsTest, CancelledShortOrBadFileChangesNothing)
{
    QByteArray sixteen;
    for (int n = 1; n <= 16; ++n) sixteen += QByteArray::number(n) + "\r\n";
    struct Row {
        const char* name;
        QByteArray content;  // empty: no file
        bool warned;
    };
    const Row rows[] = {
        {"cancelled", {}, false},
        {"16 lines", sixteen, true},  // (every refused file is the project file's own case)
        {"missing file", {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString name = QString::fromLatin1(row.name) + QStringLiteral(".pam");
        if (!row.content.isEmpty()) {
            QFile f(path(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(row.content);
        }
        overwriteFields();
        view.messages.clear();
        st.imageLoaded = true;
        st.solutionAccepted = true;
        st.markers.click[1].visible = true;
        chooser.answer = row.warned ? path(name) : QString();
        openProjectCommand(controller, chooser);
        ASSERT_EQ(view.messages.size(), row.warned ? 1u : 0u);
        if (row.warned) {
            EXPECT_TRUE(view.messages[0].warning) << "exclamation icon";
        }
        for (const auto& [control, text] : kProject) EXPECT_EQ(view.text(control), QStringLiteral("old"));
        EXPECT_TRUE(view.loadedPaths.isEmpty()) << "no image reload";
        EXPECT_TRUE(st.imageLoaded);
        EXPECT_TRUE(st.solutionAccepted);
        EXPECT_TRUE(st.markers.click[1].visible);
    }
}

TEST_F(ProjectCommandsTest, OpeningResetsTheReductionAndTellsWhetherTheImageLoaded)
{
    fillProject();
    chooser.answer = path(QStringLiteral("p.pam"));
    saveProjectCommand(controller, chooser);

    for (const bool imageLoads : {true, false}) {
        SCOPED_TRACE(imageLoads);
        view.messages.clear();
        view.loadedPaths.clear();
        view.imageLoadError = imageLoads ? QString() : QStringLiteral("format inconnu");
        st.imageLoaded = !imageLoads;
        st.solutionAccepted = true;
        st.starsSelected = true;
        st.markers.star[4000].visible = true;
        st.markers.click[5].visible = true;
        openProjectCommand(controller, chooser);

        ASSERT_EQ(view.loadedPaths.size(), 1);
        EXPECT_EQ(view.loadedPaths[0], path(kProject[15].second)) << "relative to the program folder";
        EXPECT_EQ(st.imageLoaded, imageLoads);
        EXPECT_EQ(view.messages.size(), imageLoads ? 0u : 1u);
        EXPECT_FALSE(st.solutionAccepted);
        EXPECT_FALSE(st.starsSelected);
        EXPECT_FALSE(st.markers.star[4000].visible);
        EXPECT_FALSE(st.markers.click[5].visible);
        EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 12"));
    }

    // With the image loaded, calibration by image starts at once.
    view.imageLoadError.clear();
    openProjectCommand(controller, chooser);
    controller.startEtalonage();
    EXPECT_EQ(st.mode, QStringLiteral("etalo"));
}

TEST(ProjectDialogFilter, LanguageTextBecomesTheDialogsFilter)
{
    const std::vector<std::pair<QString, QString>> rows = {
        {"Projet|*.pam", "Projet (*.pam)"},
        {"Projet (*.pam)|*.pam", "Projet (*.pam)"},
        {"Projet|*.pam|Tous|*.*", "Projet (*.pam);;Tous (*.*)"},
        {"Images|*.jpg;*.gif", "Images (*.jpg *.gif)"},
        {"Projet (*.pam)", "Projet (*.pam)"},
        {"", ""},
    };
    for (const auto& [text, filter] : rows) EXPECT_EQ(projectDialogFilter(text), filter) << qPrintable(text);
}

}  // namespace
}  // namespace ce::testing

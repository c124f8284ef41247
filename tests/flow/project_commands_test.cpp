// "Enregistrer Projet" and "Ouvrir Projet" through the controller, with a
// scripted file chooser.

#include "project/flow/project_commands.h"

#include "app/flow/reduction_controller.h"
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
        asked << title << folder << filter;
        return answer;
    }
    QString openFileName(const QString& t, const QString& d, const QString& f) override { return saveFileName(t, d, f); }
    QString answer;
    QStringList asked;  // title, folder, filter of each dialog
};

// The sixteen text controls of a project in file order, each with a value;
// an empty field and a "-" sign among them.
const std::vector<std::pair<QString, QString>> kProject = {
    {"txt_calcul", "12"},         {"txt_corrasd", "2599.43"}, {"txt_corrdec", "2709.96"}, {"txt_dec_0", "22"},
    {"txt_dec_1", ""},            {"txt_dec_2", "01.5"},      {"txt_dec_sign_show_0", "-"}, {"txt_distance", "14"},
    {"txt_epoch", "2004.5"},      {"txt_mag", "13"},          {"txt_mag2", "16.5"},       {"txt_ra_0", "1"},
    {"txt_ra_1", "34"},           {"txt_ra_2", "50"},         {"txt_tolerance", "4"},     {"txt_url", "images/m31 é.jpg"},
};

class ProjectCommandsTest : public ::testing::Test, protected FlowRig {
protected:
    void SetUp() override
    {
        lang.messages[12] = QStringLiteral("Ouvrir un projet");
        lang.messages[13] = QStringLiteral("Projet|*.pam");
        lang.messages[14] = QStringLiteral("Enregistrer le projet");
        for (const auto& [control, text] : kProject) view.setText(control, text);
        view.setCheckState(QStringLiteral("CheckDecideur"), 1);
    }
    void overwriteFields()
    {
        for (const auto& [control, text] : kProject) view.setText(control, QStringLiteral("old"));
        view.setCheckState(QStringLiteral("CheckDecideur"), 0);
    }
    QString path(const QString& name) const { return folders.program.path() + u'/' + name; }
    QByteArray bytes(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(folders.program.path()).entryList(QDir::Files); }

    ScriptedChooser chooser;
};

TEST_F(ProjectCommandsTest, SaveThenOpenRestoresAllSeventeenValues)
{
    chooser.answer = path(QStringLiteral("m31"));
    saveProjectCommand(controller, chooser);
    ASSERT_TRUE(view.messages.empty());
    EXPECT_EQ(chooser.asked, QStringList({"Enregistrer le projet", folders.program.path(), "Projet (*.pam)"}));
    // The sixteen texts in order, then the check box as "1", CR LF line ends,
    // é as its single Windows-1252 byte.
    QByteArray expected;
    for (const auto& [control, text] : kProject) expected += text.toLatin1() + "\r\n";
    EXPECT_EQ(bytes(QStringLiteral("m31.pam")), expected + "1\r\n");

    overwriteFields();
    chooser.answer = path(QStringLiteral("m31.pam"));
    openProjectCommand(controller, chooser);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(chooser.asked[3], QStringLiteral("Ouvrir un projet"));
    for (const auto& [control, text] : kProject) EXPECT_EQ(view.text(control), text) << qPrintable(control);
    EXPECT_EQ(view.checkState(QStringLiteral("CheckDecideur")), 1);
}

TEST_F(ProjectCommandsTest, SaveWritesNothingWhenCancelledOrFailingAndAsksBeforeReplacing)
{
    chooser.answer.clear();  // cancelled
    saveProjectCommand(controller, chooser);
    EXPECT_TRUE(files().isEmpty() && view.messages.empty());
    chooser.answer = path(QStringLiteral("no such folder/p"));
    saveProjectCommand(controller, chooser);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].warning && files().isEmpty());

    // "plain" twice: only the suffix makes it collide, so the user is asked;
    // No keeps the saved file, Yes replaces it.
    chooser.answer = path(QStringLiteral("plain"));
    saveProjectCommand(controller, chooser);
    const QByteArray first = bytes(QStringLiteral("plain.pam"));
    view.setText(QStringLiteral("txt_mag"), QStringLiteral("15.5"));
    view.answers = {false, true};
    saveProjectCommand(controller, chooser);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_TRUE(view.questions[0].text.contains(QStringLiteral("plain.pam")));
    EXPECT_EQ(bytes(QStringLiteral("plain.pam")), first);
    saveProjectCommand(controller, chooser);
    EXPECT_EQ(view.questions.size(), 2u);
    EXPECT_TRUE(bytes(QStringLiteral("plain.pam")).contains("15.5"));
}

TEST_F(ProjectCommandsTest, CancelledOrBadFileChangesNothing)
{
    QByteArray sixteen;  // (every refused file is the project file's own case)
    for (int n = 1; n <= 16; ++n) sixteen += QByteArray::number(n) + "\r\n";
    writeFile(path(QStringLiteral("short.pam")), sixteen);
    for (const QString& answer : {QString(), path(QStringLiteral("short.pam"))}) {
        SCOPED_TRACE(answer.toStdString());
        overwriteFields();
        view.messages.clear();
        st.imageLoaded = st.solutionAccepted = st.markers.click[1].visible = true;
        chooser.answer = answer;
        openProjectCommand(controller, chooser);
        ASSERT_EQ(view.messages.size(), answer.isEmpty() ? 0u : 1u);
        if (!answer.isEmpty()) {
            EXPECT_TRUE(view.messages[0].warning) << "exclamation icon";
        }
        for (const auto& [control, text] : kProject) EXPECT_EQ(view.text(control), QStringLiteral("old"));
        EXPECT_TRUE(view.loadedPaths.isEmpty()) << "no image reload";
        EXPECT_TRUE(st.imageLoaded && st.solutionAccepted && st.markers.click[1].visible);
    }
}

TEST_F(ProjectCommandsTest, OpeningResetsTheReductionAndTellsWhetherTheImageLoaded)
{
    chooser.answer = path(QStringLiteral("p.pam"));
    saveProjectCommand(controller, chooser);
    for (const bool imageLoads : {false, true}) {
        SCOPED_TRACE(imageLoads);
        view.messages.clear(), view.loadedPaths.clear();
        view.imageLoadError = imageLoads ? QString() : QStringLiteral("format inconnu");
        st.imageLoaded = !imageLoads;
        st.solutionAccepted = st.starsSelected = true;
        st.markers.star[4000].visible = st.markers.click[5].visible = true;
        openProjectCommand(controller, chooser);

        EXPECT_EQ(view.loadedPaths, QStringList{path(kProject[15].second)}) << "relative to the program folder";
        EXPECT_TRUE(st.imageLoaded == imageLoads && view.messages.size() == (imageLoads ? 0u : 1u));
        EXPECT_FALSE(st.solutionAccepted || st.starsSelected || st.markers.star[4000].visible ||
                     st.markers.click[5].visible);
        EXPECT_EQ(view.suggestionText, QStringLiteral("suggestion 12"));
    }
    // With the image loaded, calibration by image starts at once.
    controller.startEtalonage();
    EXPECT_EQ(st.mode, QStringLiteral("etalo"));
}

TEST(ProjectDialogFilter, LanguageTextBecomesTheDialogsFilter)
{
    const std::pair<QString, QString> rows[] = {
        {"Projet (*.pam)|*.pam", "Projet (*.pam)"}, {"Projet|*.pam|Tous|*.*", "Projet (*.pam);;Tous (*.*)"},
        {"Images|*.jpg;*.gif", "Images (*.jpg *.gif)"}, {"Projet (*.pam)", "Projet (*.pam)"}, {"", ""}};
    for (const auto& [text, filter] : rows) EXPECT_EQ(projectDialogFilter(text), filter) << qPrintable(text);
}

}  // namespace
}  // namespace ce::testing

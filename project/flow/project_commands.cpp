#include "project/flow/project_commands.h"

#include "app/flow/reduction_controller.h"
#include "app/flow/reduction_view.h"

#include <QFileInfo>
#include <QStringList>

#include <array>
#include <utility>

namespace ce {

namespace {

const QString kSignLabel = QStringLiteral("txt_dec_sign_show_0");
const QString kDecider = QStringLiteral("CheckDecideur");

// The text fields of a project (all but the check box), paired with their
// place in ProjectFields; the sign label is among them.
template <typename Fields>
auto textFields(Fields& f)
{
    return std::array{
        std::pair{QStringLiteral("txt_calcul"), &f.txt_calcul},
        std::pair{QStringLiteral("txt_corrasd"), &f.txt_corrasd},
        std::pair{QStringLiteral("txt_corrdec"), &f.txt_corrdec},
        std::pair{QStringLiteral("txt_dec_0"), &f.txt_dec[0]},
        std::pair{QStringLiteral("txt_dec_1"), &f.txt_dec[1]},
        std::pair{QStringLiteral("txt_dec_2"), &f.txt_dec[2]},
        std::pair{kSignLabel, &f.txt_dec_sign_show_0},
        std::pair{QStringLiteral("txt_distance"), &f.txt_distance},
        std::pair{QStringLiteral("txt_epoch"), &f.txt_epoch},
        std::pair{QStringLiteral("txt_mag"), &f.txt_mag},
        std::pair{QStringLiteral("txt_mag2"), &f.txt_mag2},
        std::pair{QStringLiteral("txt_ra_0"), &f.txt_ra[0]},
        std::pair{QStringLiteral("txt_ra_1"), &f.txt_ra[1]},
        std::pair{QStringLiteral("txt_ra_2"), &f.txt_ra[2]},
        std::pair{QStringLiteral("txt_tolerance"), &f.txt_tolerance},
        std::pair{QStringLiteral("txt_url"), &f.txt_url},
    };
}

using ChooseFile = QString (ProjectFileChooser::*)(const QString& title, const QString& folder,
                                                   const QString& filter);
using ProjectAction = Status (*)(ReductionController& controller, const QString& chosen);

// Asks for a project file in the program folder with the dialog `choose`,
// titled with language message `titleMessage`; a cancelled dialog does
// nothing, otherwise `act` runs on the chosen name and its failure is shown.
void chooseThen(ReductionController& controller, ProjectFileChooser& chooser, ChooseFile choose,
                int titleMessage, ProjectAction act)
{
    const LanguageTable& lang = controller.lang();
    const QString chosen = (chooser.*choose)(lang.message(titleMessage),
                                             controller.paths().programFolder,
                                             projectDialogFilter(lang.message(13)));
    if (chosen.isEmpty())
        return;
    const Status status = act(controller, chosen);
    if (!status)
        controller.view().showMessage(status.error(), QString(), true);
}

}  // namespace

QString projectDialogFilter(const QString& languageText)
{
    if (!languageText.contains(u'|'))
        return languageText;
    const QStringList parts = languageText.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (pattern.isEmpty() || description.contains(u'('))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + QString(pattern).replace(u';', u' ') +
                           u')';
    }
    return filters.join(QStringLiteral(";;"));
}

ProjectFields projectFieldsFromView(const ReductionView& view)
{
    ProjectFields fields;
    for (const auto& [control, text] : textFields(fields))
        *text = view.text(control);
    fields.CheckDecideur = view.checkState(kDecider);
    return fields;
}

void applyProjectFields(ReductionView& view, const ProjectFields& fields)
{
    for (const auto& [control, text] : textFields(fields))
        view.setText(control, *text);
    view.setCheckState(kDecider, fields.CheckDecideur);
}

Status saveProjectAs(ReductionController& controller, const QString& chosenName)
{
    const QString path = projectFileName(chosenName);
    // The dialog asked about replacing the name as typed; a file that only
    // the appended suffix makes collide was never shown to the user.
    if (path != chosenName && QFileInfo::exists(path)) {
        const QString question =
            controller.lang().text(QStringLiteral("file.exists")).arg(path);
        if (!controller.view().askYesNo(question, controller.lang().message(14)))
            return succeeded();
    }
    return saveProject(path, projectFieldsFromView(controller.view()), controller.lang());
}

Status openProjectFrom(ReductionController& controller, const QString& path)
{
    const Result<ProjectFields> project = loadProject(path, controller.lang());
    if (!project)
        return Status::failure(project.error());
    applyProjectFields(controller.view(), *project);

    ReductionState& state = controller.state();
    // Loadimg sets the flag when the image loads and clears it when it fails.
    state.imageLoaded = false;
    controller.Loadimg();
    controller.SetSugestion(QStringLiteral("open"), 0, QStringLiteral("0"), QStringLiteral("0"));
    state.markers.hideStars();
    state.markers.hideClicks();
    controller.view().markersChanged();
    state.solutionAccepted = false;
    state.starsSelected = false;
    return succeeded();
}

void saveProjectCommand(ReductionController& controller, ProjectFileChooser& chooser)
{
    chooseThen(controller, chooser, &ProjectFileChooser::saveFileName, 14, saveProjectAs);
}

void openProjectCommand(ReductionController& controller, ProjectFileChooser& chooser)
{
    chooseThen(controller, chooser, &ProjectFileChooser::openFileName, 12, openProjectFrom);
}

}  // namespace ce

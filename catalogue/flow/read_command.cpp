#include "catalogue/flow/read_command.h"

#include "app/flow/reduction_controller.h"
#include "catalogue/catalogue_reader.h"

#include <QFile>

namespace ce {

Status runReadFile(ReductionController& controller)
{
    ReductionState& state = controller.state();
    controller.AddStatus(controller.lang().message(18));

    const QString path = controller.paths().catalogueFile();
    Result<CatalogueCounts> counts =
        QFile::exists(path)
            ? readCatalogueFile(path, state.corrAsd, state.corrDec, state)
            : Result<CatalogueCounts>::failure(
                  QStringLiteral("Aucun catalogue n'a encore été téléchargé : le fichier %1 est "
                                 "introuvable. Téléchargez d'abord le catalogue du champ.")
                      .arg(path));
    controller.view().setDebugText(QString());
    if (!counts) {
        state.starTotal = 0;
        state.starCount = 0;
        const QString message = QStringLiteral("Lecture du catalogue impossible : ") + counts.error();
        controller.AddStatus(message);
        controller.view().showMessage(message, QString(), true);
        return Status::failure(message);
    }
    controller.AddStatus(catalogueReadStatus(*counts, controller.lang().message(19)));
    return succeeded();
}

}  // namespace ce

#include "app/flow/image_load.h"

#include "app/flow/reduction_controller.h"

namespace ce {

bool runLoadimg(ReductionController& controller)
{
    ReductionView& view = controller.view();
    const QString typed = view.text(QStringLiteral("txt_url"));
    const Status loaded = view.loadImage(controller.paths().resolveImagePath(typed));
    if (!loaded) {
        view.showMessage(typed + QStringLiteral(": ") + loaded.error());
        controller.state().imageLoaded = false;
        return false;
    }
    controller.state().imageLoaded = true;
    view.resetPan();
    return true;
}

}  // namespace ce

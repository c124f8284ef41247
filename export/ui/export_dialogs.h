#pragma once
// The menu entry points of the two exports, with the common save dialog of
// the window's Dialogs. What the exports do is in export/flow.

class QWidget;

namespace ce {

class Dialogs;
class ReductionController;

// Fichier > "Exporter la solution WCS...".
void exportWcsDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

// Fichier > "Exporter les étoiles identifiées (CSV)...".
void exportStarsDialog(QWidget* parent, ReductionController& controller, Dialogs& dialogs);

}  // namespace ce

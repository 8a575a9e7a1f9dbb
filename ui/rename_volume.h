#pragma once
// Renaming a volume, from the Volumes page or the volume's own window: the
// new name is asked and checked as a new volume's is (taken, empty,
// characters the file cannot hold); a refused name is said with its reason
// and asked again. The rename is one undo step; the volume keeps its
// identity, its window and everything else.

#include "model/area.h"

class CProjectDocument;
class QWidget;

// True when the volume was renamed.
bool AskVolumeName(QWidget* parent, CProjectDocument& document, CVolumeId volume);

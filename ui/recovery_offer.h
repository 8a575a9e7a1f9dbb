#pragma once
// The start-up offer of recovery copies: each copy a program no longer
// running left behind (see CRecoveryStore) is offered in turn. "Yes"
// restores it: the project opens under its own name in its own work folder,
// with the recovered changes unsaved, so that a Save writes them to its
// file. "No" discards the copy; "Cancel" keeps it for the next start. A
// copy that cannot be restored is offered for discard with the reason.

class CRecoveryStore;
class QWidget;

void OfferRecoveryCopies(QWidget* parent, CRecoveryStore& store);

#pragma once
// The offer to make kiv the desktop's default application for "*.txt" and "*.ini" files, or
// to stop being it.

namespace shell {

// How the offer is made: at the first run (only ever offers to associate) or from the menu
// command (offers to associate, or to remove the association when both are kiv's).
enum class AssociationAsk { FirstRun, Menu };

// Asks as `mode` says and does what the user answers.
void AskAssociation(AssociationAsk mode);

} // namespace shell

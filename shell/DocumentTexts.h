#pragma once
// The texts the document commands show: questions before a document is replaced or saved,
// and what went wrong.

namespace shell::texts {

inline constexpr const char16_t* kError = u"Error";
inline constexpr const char16_t* kSaveConfirm = u"Save Confirm";
inline constexpr const char16_t* kFileModified = u"File is modified.Save?";
inline constexpr const char16_t* kCloseThisFile = u"Close this file?";
inline constexpr const char16_t* kEditedElsewhere = u"The file is currently edited.";
inline constexpr const char16_t* kOpenLosses = u"The text is not the whole file:";
inline constexpr const char16_t* kSaveChanges = u"Saving changes the file:";
inline constexpr const char16_t* kSaveAnyway = u"Save anyway?";
inline constexpr const char16_t* kCannotSave = u"Can't save the file.";
inline constexpr const char16_t* kChangedElsewhere =
    u"Another program changed the file since it was opened or saved here.";
inline constexpr const char16_t* kRemovedElsewhere =
    u"Another program removed the file since it was opened or saved here.";
inline constexpr const char16_t* kOverwrite = u"Save over it?";

} // namespace shell::texts

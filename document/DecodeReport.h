#pragma once
// What decoding a file lost or will not give back on saving, so that opening can warn and
// saving can ask before it writes: a document whose report is not savesUnchanged() changes
// bytes on disk even when the user changes nothing.

#include "document/TextPlace.h"

#include <cstdint>

namespace document {

struct DecodeReport {
    // Invalid byte sequences, each shown as one U+FFFD; the place is the U+FFFD's.
    Occurrences replaced;
    // Lines that held a NUL: the text ends such a line there and leaves the rest out. The place
    // is the NUL's.
    Occurrences nulCuts;
    // Line breaks of another kind than the document's, which saving writes as the document's;
    // the place is the end of the line the break ends.
    Occurrences otherBreaks;
    // The kinds of line break the file holds: bit (1 << LB_CR), (1 << LB_LF), (1 << LB_CRLF).
    unsigned breakKinds = 0;
    // Places whose characters saving keeps but writes with other bytes: an ISO-2022-JP line
    // whose escape sequences are not the ones saving writes (ESC $ @ or ESC ( J, a shift left
    // open at the end of the line, ...; column 1), or a character read in a second code
    // page 932 code of its own while the first one is the one kept (Cp932Spelling).
    Occurrences respelled;
    // Read in a marked encoding, saving writes the mark otherwise: it adds the mark a file
    // lacks, and a file of nothing but the mark has an empty text, which saves as no bytes.
    bool markRewritten = false;

    // More than one kind of line break: the file cannot be saved as it was.
    bool mixedBreaks() const { return (breakKinds & (breakKinds - 1)) != 0; }
    // Every character of the file is in the text: nothing was replaced or cut off.
    bool lossless() const { return !replaced.any() && !nulCuts.any(); }
    // Saving the text unchanged writes the file's own bytes.
    bool savesUnchanged() const {
        return lossless() && !otherBreaks.any() && !respelled.any() && !markRewritten;
    }
};

} // namespace document

#pragma once

namespace mosgrid {

// Why an edit of a list was refused; the list is then unchanged.
enum class ListEditError {
    None,
    NoSuchItem,            // an item index outside the list (or a move past either end)
    FieldNotUtf8,          // a new field's text is not valid UTF-8
    FieldHasSeparator,     // a comma, line break, 0x1A, 0xFF or zero byte: the format cannot
                           // hold it, having no quoting
    NotInShiftJis,         // a new field has a character that a Shift-JIS list cannot hold
    LineEndsReading,       // the item's line holds the byte that ends the reading: moving or
                           // removing it, or adding after it, would change what is read
    WouldChangeOtherItems, // the new bytes would not read back as exactly the intended items
};

} // namespace mosgrid

// The control map: how a dialog binds its controls to the fields of a plain
// data record. Build entries from the record's own members, e.g.
//   { WPEdit::Make, ID_NAME, offsetof(Record, name), sizeof(Record::name) },
// and end the table with { nullptr, focusId, 0, 0 }.
#ifndef KIVORA_WPCTRLMAP_H
#define KIVORA_WPCTRLMAP_H

class WPDialog;
class WPCtrl;

// Makes the control object for a dialog item that has none.
typedef WPCtrl* (*WPCtrlFactory)(WPDialog* dialog, int id);

struct WPCtrlMapEntry {
    WPCtrlFactory factory;  // null ends the table
    int id;                 // control id; in the last entry, the focus id
    int offset;             // where the value lives in the record
    int size;               // bytes of the value; 0 for none
};

// Checks a table against the size of its record: every value inside the
// record, no two values overlapping, no id twice, no id 0. Returns 0 when
// the table is sound, else the 1-based index of the first bad entry.
int CheckControlMap(const WPCtrlMapEntry* map, int recordSize);

// The id the dialog focuses on opening: the terminator's id.
int ControlMapFocusId(const WPCtrlMapEntry* map);

#endif

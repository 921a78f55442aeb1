#pragma once

class wxDataViewCtrl;

// Puts a native list's keyboard cursor on a row of a flat list, which also
// selects it and scrolls it into view. The toolkit's SetCurrentItem leaves
// GTK's cursor where it was, so the arrows would go on from the old row and a
// screen reader would not hear the new one.
void SetListCursor(wxDataViewCtrl& list, int row);

#pragma once

class QAbstractItemView;

// Tab and Shift+Tab leave the view for the next control, as everywhere
// else; Ctrl+Tab and Ctrl+Shift+Tab move from cell to cell within it, the
// way Tab did.
void LetTabLeave(QAbstractItemView* view);

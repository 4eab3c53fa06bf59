#pragma once

#include <string>

// The music dialog's controls as the playlist engine reaches them: the list of files (one
// full path per row), its selection and highlight, the four list-editing buttons, the
// "On/Off" box and the hidden position slider. The dialog implements it; tests fake it.
class PlaylistView {
public:
    virtual ~PlaylistView() = default;

    virtual int rowCount() const = 0;
    // The path in row `row`, 0 <= row < rowCount().
    virtual std::string rowText(int row) const = 0;
    // The first selected row scanning from row 0, or -1 when none is selected.
    virtual int firstSelectedRow() const = 0;
    virtual void clearSelection() = 0;
    // Repaints every row; the row whose index equals currentTrackIndex is painted green.
    virtual void refreshHighlight() = 0;
    // Enables or disables "Add Music", "Remove", "Remove All" and "Play" together.
    virtual void setEditButtonsEnabled(bool enabled) = 0;
    // Checks or unchecks "On/Off" without running its click handler.
    virtual void checkOwnMusicBox() = 0;
    virtual void uncheckOwnMusicBox() = 0;
    // Shows row `row` as one that could not be played (or as a normal row again).
    virtual void setRowFailed(int row, bool failed) = 0;
    // The hidden position slider: range 0..lengthMs with the thumb at 0, then the thumb.
    virtual void setPositionRange(int lengthMs) = 0;
    virtual void setPositionValue(int positionMs) = 0;
};

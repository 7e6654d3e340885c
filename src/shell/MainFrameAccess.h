#pragma once

#include <QString>

namespace noctavo {

class MainFrame;
struct Observer;

// The main frame of the run: the last one created that still exists, or
// null before it exists and after it is gone.
MainFrame* mainFrame();
// Called by the frame itself when it is made and when it goes.
void setCurrentMainFrame(MainFrame* frame);

// The toolbar and the status line of the main frame, for the parts that
// change them (the Appearance dialog) or write into them. Without a frame
// the flags are still kept, so that a dialog can be tried on its own; the
// frame takes them over when it makes its toolbar and status line.
bool ToolbarVisible();
// Stores the flag and shows or hides the toolbar. The frame lays its
// document area out again on UM_LAYOUT.
void ToolbarSetVisible(bool visible);
int ToolbarHeight();  // pixels; 0 without a toolbar

bool StatusLineVisible();
void StatusLineShow(bool visible);
int StatusLineHeight();  // pixels; 0 without a status line
// Part 0 shows the text, part 1 is emptied (the hint of a menu item).
void StatusLineSetHint(const QString& text);
// Both parts from the observer: moment and place.
void StatusLineUpdate(const Observer& observer);

}  // namespace noctavo

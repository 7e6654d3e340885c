#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <string>

class QWidget;

namespace noctavo {

// The folder of the program's data files, help and pictures, with a
// trailing '/': the folder of the running program when the data lies
// beside it (the build tree, a copy unpacked anywhere), else the folder an
// install put it in (share/noctavo beside the program's bin/, then the one
// the build was configured for). When none holds the data, the program's
// own folder, whose missing files are then reported by their readers.
QString ProgramFolder();
// True when ProgramFolder() is an installed data folder rather than the
// program's own: files there are read, never written.
bool ProgramFolderIsInstalled();
// The lookup above over given candidates: the first folder that holds the
// star file, else the program's folder.
QString findProgramFolder(const QString& programFolder, const QStringList& installedFolders);

// The id of the first checked button among the controls firstId..lastId
// (ids without a control are skipped). firstId > lastId, or no checked
// button, is an internal error; the result is then 0.
int CheckedRadio(const QWidget* dialog, int firstId, int lastId);

// Finds the item of the list (a QListWidget with id listId) whose text is
// exactly `text`, letter case included. Candidates come from repeated
// case-insensitive prefix searches, each starting after the previous hit,
// until the search wraps around. index is -1 when there is none.
bool ListBoxFindExact(const QWidget* dialog, int listId, const QString& text, int& index);

// The child's rectangle in the parent's client coordinates.
QRect ChildRect(const QWidget* parent, const QWidget* child);

// Moves every child of `parent` by (dx, dy) keeping its size; repaints the
// parent when asked.
void MoveChildren(QWidget* parent, int dx, int dy, bool repaint);

// Sends one window message to every child of `parent`.
void SendToChildren(QWidget* parent, int message, qintptr wParam, qintptr lParam);

// Moves `window` so that its centre lies over the centre of `other`, without
// resizing it.
void CentreOver(QWidget* window, const QWidget* other);

// a + (b - a) * i / (n - 1): point i of n evenly spaced from a to b. With
// fewer than two points there is no spacing: the result is a.
double Interpolate(double a, double b, int i, int n);

// Removes the spaces at the end of a field's text, in place: what the
// dialogs use on typed text. (Lines of the data files are trimmed of every
// kind of white space by trimTrailingBlanks of catalogues/DataFile.h.)
void TrimTrailingBlanks(QString& text);
void TrimTrailingBlanks(std::string& text);

}  // namespace noctavo

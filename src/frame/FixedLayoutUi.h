#pragma once
// Windows laid out in fixed pixels were drawn for a small 8-point face. Under
// a larger desktop font their labels, check boxes and lists would be cut off.
// These measure each shown text against the room it has (its own width, or
// up to the next control on its row) and widen the window, keeping its
// design, just enough for the widest of them. A window whose texts fit keeps
// its designed size to the pixel.

#include <QList>
#include <QString>

class QPushButton;
class QRect;
class QWidget;

// A push button placed by hand: caption, object name and geometry in one.
QPushButton *PlaceButton(QWidget *parent, const QString &caption, const char *name, const QRect &geometry);

struct TCutText
{
    QWidget *Widget = nullptr;
    QString Text;
    int Need = 0; // pixels the text needs
    int Room = 0; // pixels it has
};

// The shown texts of the window's fixed-position controls that do not fit
// (by more than the blank a last glyph carries after its ink).
QList<TCutText> CutTexts(QWidget *window);

// Widens the window and its fixed-position controls by one factor (at most
// `most`, and never past the screen) so that every shown text fits. Returns
// the factor used: 1 when everything fitted already.
double WidenToFitTexts(QWidget *window, double most = 1.6);

// From here on every window of the program is fitted this way just before it
// shows. Windows arranged by layouts (message boxes, file dialogs) have no
// fixed-position controls and are left as they are.
void InstallTextFitting();

#pragma once

#include "tintwell/export.h"

#include <QObject>
#include <QString>

class QWidget;

namespace tintwell {

// The control a program places on its window to offer the colour dialog.
//
//   tintwell::ctrTintwell picker(this);
//   int color = picker.ShowColor("Text colour", currentColor);
//   if (color >= 0) ...
class TINTWELL_EXPORT ctrTintwell : public QObject {
    Q_OBJECT
public:
    // owner: the window the dialog belongs to (it stays modal over it).
    explicit ctrTintwell(QWidget* owner = nullptr);

    // Shows the modal "Select Color" dialog, titled Title when that is not
    // empty, starting from DefaultColor (an RGB colour; negative for none).
    // Returns the colour chosen with OK, or -1 when the dialog was cancelled
    // or closed. The title and colour asked for are kept until the next call.
    int ShowColor(const QString& Title, int DefaultColor);

    // What the last ShowColor asked for (shared by every control).
    static QString requestedTitle();
    static int requestedColor();
};

}  // namespace tintwell

#pragma once
// What assistive technology reads of a window's controls: a control is named by its label
// (the label's buddy), and its hint is its description.
#include <QComboBox>

class QWidget;

namespace Accessibility {

// Gives every control of window that has none yet the name of the label that points at it
// and its status tip or tool tip as description; the inner edit of an editable combo box
// takes the box's name. Called once a window has all its controls.
void describeControls(QWidget *window);

}

// A combo box that assistive technology names by its label, as every other control: Qt's
// own reading on Linux gives its current value as the name.
class NamedComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit NamedComboBox(QWidget *parent = nullptr);
};

#pragma once

class QLineEdit;

// Text boxes that take numbers select their whole text when they get the
// focus, so typing replaces the number.
void selectAllOnFocus(QLineEdit* edit);

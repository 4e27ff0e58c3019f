#pragma once

#include "app/main_layout.h"

class QWidget;

// Applies a computed layout to the main window's central widget: every
// control of the layout that exists is found by objectName inside its
// container and placed, converted to pixels at the given logical dpi.
// Controls that are not there yet are skipped.
void applyLayout(QWidget& central, const layout::MainLayout& layout, double logicalDpi);

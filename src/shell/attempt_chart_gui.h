#pragma once
#include <windows.h>

#include "intruders/attempt_chart.h"
#include "logpage/date_text.h"

// The Intruders window's bar chart of attempts per day: a child window of the
// class INTRUDERS_CHART_CLASS, named in the dialog's template. It draws what
// it is handed with GDI at the display's DPI; a tooltip names the day under
// the mouse and its count. Every rule comes from AttemptChart.
bool RegisterAttemptChartClass(HINSTANCE instance);
void ShowAttemptChart(HWND chart, const AttemptChart& data, DateFormat format);

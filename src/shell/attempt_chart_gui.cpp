#include "attempt_chart_gui.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "resource_ids.h"

namespace {

constexpr int kBaseDpi = 96;
// In pixels at 96 DPI.
constexpr int kMargin = 6;
constexpr int kScaleGap = 5;
constexpr int kLabelGap = 3;
constexpr int kLabelSpacing = 12;
constexpr COLORREF kBarColor = RGB(52, 101, 164);
constexpr COLORREF kTodayColor = RGB(204, 82, 40);
constexpr COLORREF kAxisColor = RGB(128, 128, 128);
constexpr COLORREF kGridColor = RGB(208, 208, 208);
constexpr char kZero[] = "0";
constexpr std::size_t kMiddleBar = kChartDays / 2;

struct ChartState {
    std::optional<AttemptChart> chart;
    DateFormat format = DateFormat::Long;
    HWND tooltip = nullptr;
    std::string tip;  // the text the tooltip was last handed
};

ChartState* StateOf(HWND window) { return reinterpret_cast<ChartState*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

int Scaled(HDC dc, int pixels) { return MulDiv(pixels, GetDeviceCaps(dc, LOGPIXELSY), kBaseDpi); }

int TextWidth(HDC dc, const std::string& text) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int TextHeight(HDC dc) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

// The dialog's font, which Windows scaled with the display.
HGDIOBJ SelectDialogFont(HWND window, HDC dc) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(GetParent(window), WM_GETFONT, 0, 0));
    return font != nullptr ? SelectObject(dc, font) : nullptr;
}

std::string BusiestText(const ChartState& state) {
    return std::to_string(state.chart ? state.chart->BusiestCount() : 0);
}

// Where the bars stand: room on the left for the scale, below for the days.
RECT PlotRect(HDC dc, const RECT& client, const ChartState& state) {
    const int margin = Scaled(dc, kMargin);
    const int textHeight = TextHeight(dc);
    const int scaleWidth = std::max(TextWidth(dc, BusiestText(state)), TextWidth(dc, kZero)) + Scaled(dc, kScaleGap);
    RECT plot = {client.left + margin + scaleWidth, client.top + margin + textHeight / 2, client.right - margin,
                 client.bottom - margin - textHeight - Scaled(dc, kLabelGap)};
    plot.right = std::max(plot.right, plot.left);
    plot.bottom = std::max(plot.bottom, plot.top);
    return plot;
}

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
    const HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width) {
    const HPEN pen = CreatePen(PS_SOLID, width, color);
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// Text with its reference point at x, per `align` (TA_LEFT, TA_CENTER or TA_RIGHT).
void Text(HDC dc, int x, int y, UINT align, const std::string& text) {
    SetTextAlign(dc, align | TA_TOP);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void DrawBars(HDC dc, const RECT& plot, const AttemptChart& chart) {
    const int width = plot.right - plot.left;
    const int height = plot.bottom - plot.top;
    for (std::size_t bar = 0; bar < kChartDays; ++bar) {
        const AttemptChart::Span span = chart.BarSpan(bar, width);
        const int gap = std::max(1, (span.right - span.left) / 5);
        const RECT rect = {plot.left + span.left + gap / 2, plot.bottom - chart.BarHeight(bar, height),
                           plot.left + span.right - (gap - gap / 2), plot.bottom};
        FillColor(dc, rect, bar == kChartDays - 1 ? kTodayColor : kBarColor);
    }
}

// The oldest day at the left, today at the right, the middle one when it fits between.
void DrawDayLabels(HDC dc, const RECT& plot, const AttemptChart& chart, DateFormat format) {
    const int y = plot.bottom + Scaled(dc, kLabelGap);
    const std::string first = chart.DayLabel(0, format);
    const std::string last = chart.DayLabel(kChartDays - 1, format);
    const std::string middle = chart.DayLabel(kMiddleBar, format);
    Text(dc, plot.left, y, TA_LEFT, first);
    Text(dc, plot.right, y, TA_RIGHT, last);
    const AttemptChart::Span span = chart.BarSpan(kMiddleBar, plot.right - plot.left);
    const int center = plot.left + (span.left + span.right) / 2;
    const int half = TextWidth(dc, middle) / 2;
    const int spacing = Scaled(dc, kLabelSpacing);
    if (center - half >= plot.left + TextWidth(dc, first) + spacing &&
        center + half <= plot.right - TextWidth(dc, last) - spacing) {
        Text(dc, center, y, TA_CENTER, middle);
    }
}

void Paint(HWND window, HDC dc, const RECT& client) {
    const ChartState* state = StateOf(window);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    if (state == nullptr) return;
    const HGDIOBJ oldFont = SelectDialogFont(window, dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const RECT plot = PlotRect(dc, client, *state);
    const int line = std::max(1, Scaled(dc, 1));
    const int halfText = TextHeight(dc) / 2;
    const int scaleX = plot.left - Scaled(dc, kScaleGap);
    // The scale: the busiest day's count at the top, 0 at the base.
    Line(dc, plot.left, plot.top, plot.right, plot.top, kGridColor, line);
    if (state->chart && state->chart->BusiestCount() > 0) {
        Text(dc, scaleX, plot.top - halfText, TA_RIGHT, BusiestText(*state));
    }
    Text(dc, scaleX, plot.bottom - halfText, TA_RIGHT, kZero);
    if (state->chart) {
        DrawBars(dc, plot, *state->chart);
        DrawDayLabels(dc, plot, *state->chart, state->format);
    }
    Line(dc, plot.left, plot.bottom, plot.right, plot.bottom, kAxisColor, line);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
}

// Drawn off screen first, so a redraw at each poll does not flicker.
void PaintBuffered(HWND window) {
    PAINTSTRUCT paint = {};
    const HDC dc = BeginPaint(window, &paint);
    RECT client = {};
    GetClientRect(window, &client);
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    Paint(window, memory, client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

// One tool a bar, over the bar's whole column, its text asked for when shown.
void PlaceTools(HWND window, ChartState& state) {
    if (state.tooltip == nullptr) return;
    RECT client = {};
    GetClientRect(window, &client);
    const HDC dc = GetDC(window);
    const HGDIOBJ oldFont = SelectDialogFont(window, dc);
    const RECT plot = PlotRect(dc, client, state);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
    ReleaseDC(window, dc);
    // Where a bar stands does not depend on the counts.
    const AttemptChart columns = state.chart.value_or(AttemptChart(DayCounts{}, 0));
    for (std::size_t bar = 0; bar < kChartDays; ++bar) {
        const AttemptChart::Span span = columns.BarSpan(bar, plot.right - plot.left);
        TTTOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = window;
        tool.uId = bar;
        tool.rect = {plot.left + span.left, plot.top, plot.left + span.right, plot.bottom};
        SendMessageA(state.tooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CreateTooltip(HWND window, ChartState& state) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    state.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                    instance, nullptr);
    if (state.tooltip == nullptr) return;  // the chart still shows, without its tips
    for (std::size_t bar = 0; bar < kChartDays; ++bar) {
        TTTOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;  // the dialog's message loop does not relay a child's mouse
        tool.hwnd = window;
        tool.uId = bar;
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(state.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    PlaceTools(window, state);
}

LRESULT OnNotify(HWND window, const NMHDR& header) {
    ChartState* state = StateOf(window);
    if (state == nullptr || header.hwndFrom != state->tooltip || header.code != TTN_GETDISPINFOA) return 0;
    auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
    state->tip = state->chart && header.idFrom < kChartDays ? state->chart->BarTip(header.idFrom, state->format) : "";
    info.lpszText = state->tip.data();
    return 0;
}

LRESULT CALLBACK ChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ChartState));
        break;
    case WM_CREATE:
        if (ChartState* state = StateOf(window)) CreateTooltip(window, *state);
        return 0;
    case WM_NCDESTROY:
        delete StateOf(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    case WM_SIZE:
        if (ChartState* state = StateOf(window)) PlaceTools(window, *state);
        return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers it all
    case WM_PAINT: PaintBuffered(window); return 0;
    case WM_PRINTCLIENT: {
        RECT client = {};
        GetClientRect(window, &client);
        Paint(window, reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_NOTIFY: return OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterAttemptChartClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ChartProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = INTRUDERS_CHART_CLASS;
    return RegisterClassExA(&windowClass) != 0;
}

void ShowAttemptChart(HWND chart, const AttemptChart& data, DateFormat format) {
    ChartState* state = StateOf(chart);
    if (state == nullptr) return;
    state->chart = data;
    state->format = format;
    // The scale's width follows the busiest count, and the bars' places with it.
    PlaceTools(chart, *state);
    InvalidateRect(chart, nullptr, FALSE);
}

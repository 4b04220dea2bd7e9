// The results list's window work at 50,000 tactics, with the real list-view
// control (Windows, or Wine): a column click (selection, sort, re-marking and
// the repaint) and re-marking every row after a dialog closes, each timed
// apart. Prints the median and the best of several runs, wall and CPU time of
// the thread, in milliseconds.
//
//   tools/build win -DKX_BUILD_BENCH=ON
//   tools/wine-run --prefix build/win/wineprefix build/win/bench/bench_list_view.exe [tactics [runs]]
#include "app/MainDialog.h"
#include "app/MainWindowClass.h"
#include "app/ResultsListText.h"
#include "resources/resource.h"
#include "resultsgen/ResultsGen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

int runs = 7;

struct Times {
    double wall_ms;
    double cpu_ms;
};

double CpuMs()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ticks = [](FILETIME t) { return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

double WallMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Runs prepare (untimed), then step and the repaint it causes, runs times.
void Measure(const char* what, HWND list_view, const std::function<void()>& prepare, const std::function<void()>& step)
{
    std::vector<Times> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        UpdateWindow(list_view);
        Pump();
        double wall = WallMs();
        double cpu = CpuMs();
        step();
        UpdateWindow(list_view);
        times.push_back({WallMs() - wall, CpuMs() - cpu});
        Pump();
    }
    auto by_wall = times;
    std::sort(by_wall.begin(), by_wall.end(), [](Times a, Times b) { return a.wall_ms < b.wall_ms; });
    auto by_cpu = times;
    std::sort(by_cpu.begin(), by_cpu.end(), [](Times a, Times b) { return a.cpu_ms < b.cpu_ms; });
    std::printf("%-44s wall median %9.1f best %9.1f   cpu median %9.1f best %9.1f\n", what,
                by_wall[runs / 2].wall_ms, by_wall[0].wall_ms, by_cpu[runs / 2].cpu_ms, by_cpu[0].cpu_ms);
    std::fflush(stdout);
}

void SelectRows(HWND list_view, bool all)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(list_view, LVM_SETITEMSTATE, all ? static_cast<WPARAM>(-1) : 0, reinterpret_cast<LPARAM>(&item));
}

void ClickColumn(HWND dialog, HWND list_view, int column)
{
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list_view;
    click.hdr.idFrom = IDC_MAIN_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(dialog, WM_NOTIFY, IDC_MAIN_LIST, reinterpret_cast<LPARAM>(&click));
}

int SelectedCount(HWND list_view)
{
    return static_cast<int>(SendMessageA(list_view, LVM_GETSELECTEDCOUNT, 0, 0));
}

} // namespace

int main(int argc, char** argv)
{
    int tactics = argc > 1 ? std::atoi(argv[1]) : 50000;
    runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : runs;
    auto folder = std::filesystem::temp_directory_path() / "kx-bench-list-view";
    std::filesystem::create_directories(folder);
    std::string path = (folder / "results.txt").string();
    std::FILE* out = std::fopen(path.c_str(), "w");
    ResultsGenOptions options;
    options.lines = 6L * tactics; // nearly every tactic gets a season
    options.tactics = tactics;
    ResultsGen_Write(out, options);
    std::fclose(out);

    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&controls);
    RegisterMainWindowClass(GetModuleHandleA(nullptr));
    char* files[] = {path.data()};
    MainDialogStart start{nullptr, 1, files};
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&start));
    ShowWindow(dialog, SW_SHOW);
    Pump();
    HWND list_view = GetDlgItem(dialog, IDC_MAIN_LIST);
    ResultsList* list = MainDialog_List(dialog);
    std::printf("milliseconds, %d runs each; %d rows\n", runs, static_cast<int>(SendMessageA(list_view, LVM_GETITEMCOUNT, 0, 0)));

    auto none = [] {};
    Measure("repainting the list alone", list_view, none, [&] { InvalidateRect(list_view, nullptr, TRUE); });
    int column = 0;
    auto next_column = [&] { return column = (column + 1) % 8; };
    for (bool all : {false, true}) {
        std::string rows = all ? "every row selected" : "one row selected";
        auto select = [&] { SelectRows(list_view, all); };
        Measure(("column click, " + rows).c_str(), list_view, select,
                [&] { ClickColumn(dialog, list_view, next_column()); });
        DArray* selection = nullptr;
        Measure(("  selection, " + rows).c_str(), list_view, select, [&] {
            DArray_Destroy(selection, nullptr);
            selection = ResultsList_Selection(list);
        });
        Measure("  sort", list_view, none, [&] { ResultsList_SortBy(list, next_column() + 1); });
        Measure(("  re-marking after a sort, " + rows).c_str(), list_view, [&] { ResultsList_SortBy(list, next_column() + 1); },
                [&] { ResultsList_MarkSelection(list, selection); });
        Measure(("  (of that, finding the rows), " + rows).c_str(), list_view, none,
                [&] { ResultsList_RowsOfTactics(list->book->summaries, selection); });
        // What Statistics and Difference do around their dialog.
        Measure(("selection and re-marking in place, " + rows).c_str(), list_view, select, [&] {
            DArray* current = ResultsList_Selection(list);
            ResultsList_MarkSelection(list, current);
            DArray_Destroy(current, nullptr);
        });
        std::printf("  (%d selected afterwards)\n", SelectedCount(list_view));
        DArray_Destroy(selection, nullptr);
    }
    DestroyWindow(dialog);
    Pump();
    std::filesystem::remove_all(folder);
    return 0;
}

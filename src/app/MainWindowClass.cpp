#include "app/MainWindowClass.h"

#include "resources/resource.h"

namespace {

// The system dialog class "#32770" by its atom.
const LPCSTR kSystemDialogClass = reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(32770));

HICON LoadAppIcon(HINSTANCE instance, int metricX, int metricY)
{
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, GetSystemMetrics(metricX),
                                         GetSystemMetrics(metricY), LR_DEFAULTCOLOR | LR_SHARED));
}

} // namespace

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExA(nullptr, kSystemDialogClass, &windowClass))
        return false;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kMainWindowClassName;
    // Shared icons from the module's resources: the system releases them.
    windowClass.hIcon = LoadAppIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = LoadAppIcon(instance, SM_CXSMICON, SM_CYSMICON);
    if (RegisterClassExA(&windowClass))
        return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

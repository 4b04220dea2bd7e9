#include "app/AboutBox.h"

#include "KXVersion.h"
#include "resources/resource.h"

void AboutBox_Show(HWND owner)
{
    MSGBOXPARAMSA box{};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.hInstance = GetModuleHandleA(nullptr);
    box.lpszText = KX_PRODUCT_NAME " " KX_VERSION_TEXT "\n\n" KX_DESCRIPTION ".";
    box.lpszCaption = "About " KX_PRODUCT_NAME;
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEA(IDI_APP);
    MessageBoxIndirectA(&box);
}

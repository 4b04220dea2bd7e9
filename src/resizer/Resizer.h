// Resizable dialogs driven by layout hints in their templates.
//
// A dialog opened through these functions becomes resizable when at least one
// of its controls carries a ResizeHint (ResizeTemplate.h): the hints are taken
// out of a copy of the template, the dialog gets a thick frame, and a window
// procedure of the resizer lays the hinted controls out on every size change,
// keeps the window from becoming smaller than it opened and serves a size grip
// in the lower right corner. A template without hints runs exactly as with the
// plain Windows function of the same arguments.
//
// The caller's procedure sees every message; its WM_INITDIALOG work is done
// before the opening sizes are taken. One dialog at a time may be opened
// through the resizer (the caller's procedure is held in one module-wide slot).
#pragma once

#include "resizer/ResizeTemplate.h"

#include <windows.h>

#include <cstddef>

// How far a template passed by address (without a size) may be read: the walk
// stops at the template's own end, so this only bounds a malformed template.
// Larger templates are run without the resizer.
constexpr std::size_t kResizerTemplateLimit = 1024 * 1024;

// As DialogBoxParamA. The template is looked up as an RT_DIALOG resource and
// read within the resource's size; when it cannot be found or loaded,
// DialogBoxParamA runs with the arguments unchanged.
INT_PTR ResizerDialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                              LPARAM initParam);

// As DialogBoxIndirectParamA; the template is read at most kResizerTemplateLimit bytes far.
INT_PTR ResizerDialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                      DLGPROC dialogProc, LPARAM initParam);

// The modeless forms, as CreateDialogParamA and CreateDialogIndirectParamA.
// The window is destroyed by the caller with DestroyWindow.
HWND ResizerCreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC dialogProc,
                              LPARAM initParam);
HWND ResizerCreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                      DLGPROC dialogProc, LPARAM initParam);

// The dialog procedure of a resizable dialog: passes every message to the
// caller's procedure and, after the caller's WM_INITDIALOG, attaches the
// pending layout to the window.
INT_PTR CALLBACK ResizerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The window procedure installed on an attached dialog window.
LRESULT CALLBACK ResizerWindowProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The size grip: a square as wide as a vertical scroll bar in the lower right
// corner of the client area, in client coordinates.
RECT ResizerGripRect(HWND dialog);

// The layout attached to a dialog window, or null (borrowed; the resizer
// releases it when the window is destroyed).
ResizeLayout* ResizerLayoutOf(HWND dialog);

#pragma once
// Everything a window of the program builds on, in one include.
#include "platform/ui/ControlEvents.h"  // OnGotFocus, OnLostFocus, OnKeyDown, OnClick, OnMouseMove...
#include "platform/ui/DataGrid.h"       // data grid bound to a Recordset
#include "platform/ui/ErrorReport.h"    // RunReported, ReportError
#include "platform/ui/FieldBinding.h"  // SetDataField, SetDataSource for text boxes, labels, check boxes
#include "platform/ui/FlexGrid.h"        // report grid
#include "platform/ui/Fonts.h"           // ApplyCjkFonts, CjkFont
#include "platform/ui/FormOf.h"          // window base with the default instance
#include "platform/ui/Label.h"           // label with caption Change
#include "platform/ui/ListView.h"        // report-style list with keyed columns and check boxes
#include "platform/ui/MaskEdBox.h"       // masked edit box
#include "platform/ui/MsgBox.h"          // MsgBox, DoEvents
#include "platform/ui/Named.h"           // Named<W>("TxtName"): a control with its name
#include "platform/ui/PictureButton.h"   // picture that acts as a button
#include "platform/ui/PopupMenu.h"       // PopupMenu at the pointer
#include "platform/ui/SaveFileDialog.h"  // GetSaveFileName, SetSaveFileResponder
#include "platform/ui/SendKeys.h"        // SendKeysTab
#include "platform/ui/Twips.h"           // twips and pixels
#include "platform/ui/VbKeys.h"          // key codes, shift states, mouse buttons

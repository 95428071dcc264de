#include "toolbartemplate.h"

#include "resources/resource.h"

#include <commctrl.h>

namespace {

using Win::ToolbarItem;

constexpr int SeparatorWidth = 6;

} // namespace

const ToolbarItem ToolbarTemplate[] = {
    {ToolbarItem::BUTTON, ToolbarItem::STD_IMAGES, STD_FILENEW, "New", "StudySet_New"},
    {ToolbarItem::BUTTON, ToolbarItem::STD_IMAGES, STD_FILEOPEN, "Open", "StudySet_Open"},
    {ToolbarItem::BUTTON, ToolbarItem::STD_IMAGES, STD_FILESAVE, "Save", "StudySet_Save"},
    {ToolbarItem::SEPARATOR, ToolbarItem::STD_IMAGES, SeparatorWidth, nullptr, nullptr},
    {ToolbarItem::BUTTON, ToolbarItem::BITMAP, IDB_ADD_ITEM, "Add", "Term_Add"},
    {ToolbarItem::BUTTON, ToolbarItem::BITMAP, IDB_EDIT_ITEM, "Edit", "Term_Edit"},
    {ToolbarItem::BUTTON, ToolbarItem::BITMAP, IDB_REMOVE_ITEM, "Remove", "Term_Remove"},
    {ToolbarItem::SEPARATOR, ToolbarItem::STD_IMAGES, SeparatorWidth, nullptr, nullptr},
    {ToolbarItem::BUTTON, ToolbarItem::STD_IMAGES, STD_PROPERTIES, "Customize", "StudySet_Outline"},
    {ToolbarItem::SEPARATOR, ToolbarItem::STD_IMAGES, SeparatorWidth, nullptr, nullptr},
    {ToolbarItem::BUTTON, ToolbarItem::BITMAP, IDB_HELP, "Help", "HelpContents"},
    {ToolbarItem::END, ToolbarItem::STD_IMAGES, 0, nullptr, nullptr},
};

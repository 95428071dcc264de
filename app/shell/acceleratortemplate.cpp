#include "acceleratortemplate.h"

const Win::AcceleratorItem AcceleratorTemplate[] = {
    {0, VK_F1, "HelpContents"},
    {0, VK_RETURN, "Term_Edit"},
    {0, VK_INSERT, "Term_Add"},
    {0, VK_DELETE, "Term_Remove"},
    {FCONTROL, 'A', "Term_SelectAll"},
    {FCONTROL, 'N', "StudySet_New"},
    {FCONTROL, 'O', "StudySet_Open"},
    {FCONTROL, 'S', "StudySet_Save"},
    {FCONTROL, 'L', "StudySet_Outline"},
    {FCONTROL, 'F', "Term_Find"},
    {0, VK_F3, "Term_FindNext"},
    {FCONTROL, 'R', "Study_Review"},
    {0, 0, nullptr},
};

#pragma once
// Ids of the program's resources, shared by the code and Lorvant.rc.

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Icon and toolbar bitmaps (16 colours; the toolbar shows light grey as transparent). Each toolbar bitmap
// holds its picture at 16, 24 and 32 pixels, side by side.
#define IDB_HELP 106
#define IDB_ADD_ITEM 107
#define IDB_EDIT_ITEM 108
#define IDB_REMOVE_ITEM 109
#define IDI_LORVANT 110
#define IDI_DOCUMENT 111    // the icon Explorer shows for the program's documents
#define IDB_STANDARD_32 150 // the system's standard toolbar pictures that the program uses, at 32 pixels

// Dialog templates.
#define IDD_SESSION_ITEMS 100     // "Study Session": use the selected items or all of them
#define IDD_SETTINGS 101          // "Study Settings"
#define IDD_ABOUT 102             // "About Lorvant"
#define IDD_OUTLINE 103           // "Customize StudySet"
#define IDD_EDIT_ITEM 104         // "Edit Item"
#define IDD_PRESENTATION 117      // "Presentation Study Session"
#define IDD_QUESTIONS_ANSWERS 119 // "Questions & Answers Study Session"
#define IDD_MULTIPLE_CHOICE 120   // "Multiple Choice Study Session"
#define IDD_FIND 130              // "Find"
#define IDD_WEAK_ITEMS 131        // "Select Weak Items"
#define IDD_STATISTICS 132        // "Statistics"
#define IDD_REVIEW 133            // "Review Due Items"
#define IDD_IMPORT_TEXT 160       // "Import Text File"
#define IDD_IMPORT_PROGRESS 180   // "Importing Text File": the progress bar and Cancel

// Controls of the session items dialog (100).
#define IDC_USE_SELECTED 3000
#define IDC_USE_ALL 3013

// Controls of the outline dialog (103).
#define IDC_ITEM_TYPE 3001
#define IDC_FIELD_NAMES 3002
#define IDC_NEW_FIELD 3003
#define IDC_ADD_FIELD 3004
#define IDC_REMOVE_FIELD 3005
#define IDC_MOVE_UP 3020
#define IDC_MOVE_DOWN 3021

// The Help button of the settings, outline and item dialogs.
#define IDC_HELP_BUTTON 3006

// Controls of the item dialog (104).
#define IDC_ITEM_TYPE_LABEL 3007
#define IDC_FIELD_LABEL 3008
#define IDC_MAIN_TEXT 3009
#define IDC_COMMENT 3010
#define IDC_FIELD_CHOOSER 3011
#define IDC_FIELD_VALUE 3012
#define IDC_PREVIOUS_FIELD 3016
#define IDC_NEXT_FIELD 3017

// Controls of the settings dialog (101).
#define IDC_CASE_SENSITIVE 3014
#define IDC_FROM_LIST 3022
#define IDC_TO_LIST 3023
#define IDC_CHOICES 3024
#define IDC_CHOICES_ARROWS 3025
#define IDC_TIME_OUT_CHECK 3026
#define IDC_TIME_OUT 3027
#define IDC_TIME_OUT_ARROWS 3028
#define IDC_CONTINUOUS 3029
#define IDC_SHUFFLE 3030
#define IDC_RETENTION 3127
#define IDC_RETENTION_ARROWS 3128
#define IDC_NEW_PER_DAY 3129
#define IDC_NEW_PER_DAY_ARROWS 3130
#define IDC_MAX_REVIEWS 3131
#define IDC_MAX_REVIEWS_ARROWS 3132

// Controls of the About box (102).
#define IDC_WEB_SITE 3015
#define IDC_EMAIL_SUPPORT 3019

// Controls shared by the session dialogs (117, 119, 120).
#define IDC_QUESTION_LABEL 3037
#define IDC_ANSWER_LABEL 3038
#define IDC_ANSWER 3039 // the answer box; not in the multiple-choice dialog
#define IDC_QUESTION 3040
#define IDC_ITEM_COUNTER 3041
#define IDC_STOP 3042
#define IDC_NEXT 3043
#define IDC_TIME_LEFT 3044
#define IDC_QUESTIONS_COUNT 3045

// Multiple-choice dialog (120): choice i (0 to 5) is the radio button IDC_CHOICE1 + i, captioned with its
// number as mnemonic so that the keys 1 to 6 pick it, beside the text box IDC_CHOICE_TEXT1 + i, which shows
// the choice without prefix processing and reports clicks (STN_CLICKED).
#define IDC_CHOICE1 3046
#define IDC_CHOICE2 3047
#define IDC_CHOICE3 3048
#define IDC_CHOICE4 3049
#define IDC_CHOICE5 3050
#define IDC_CHOICE6 3051
#define IDC_CHOICE_TEXT1 3052
#define IDC_CHOICE_TEXT2 3053
#define IDC_CHOICE_TEXT3 3054
#define IDC_CHOICE_TEXT4 3055
#define IDC_CHOICE_TEXT5 3056
#define IDC_CHOICE_TEXT6 3057

// Controls of the find dialog (130).
#define IDC_FIND_TEXT 3100
#define IDC_MATCH_CASE 3101

// Controls of the weak items dialog (131).
#define IDC_WEAK_THRESHOLD 3102
#define IDC_WEAK_THRESHOLD_ARROWS 3103
#define IDC_INCLUDE_NEVER_ASKED 3104

// Controls of the statistics dialog (132): the chart, drawn by the dialog, and the totals below it, each a
// label and its number.
#define IDC_SCORE_CHART 3105
#define IDC_ITEMS_LABEL 3106
#define IDC_ITEMS_TOTAL 3107
#define IDC_ANSWERED_LABEL 3108
#define IDC_ANSWERED_TOTAL 3109
#define IDC_RIGHT_LABEL 3110
#define IDC_RIGHT_TOTAL 3111
#define IDC_PERCENTAGE_LABEL 3112
#define IDC_PERCENTAGE_TOTAL 3113
// Beside them, the review schedule's forecast chart and below it the count of items in each state.
#define IDC_SCORE_CAPTION 3320
#define IDC_FORECAST_CAPTION 3321
#define IDC_FORECAST_CHART 3322
#define IDC_STATE_LABEL_FIRST 3323 // New, Learning, Review, Relearning (3326): + the state's number
#define IDC_STATE_COUNT_FIRST 3327 // the count of each state, in the same order (3330)

// Controls of the review dialog (133): the question and answer boxes are the session dialogs'; after
// Check the right answer and the four grade buttons, captioned with their keys 1 to 4 as mnemonics, each
// above the interval it gives.
#define IDC_CHECK 3114
#define IDC_RIGHT_ANSWER_LABEL 3115
#define IDC_RIGHT_ANSWER 3116
#define IDC_VERDICT 3117
#define IDC_GRADE_AGAIN 3118 // Again, Hard, Good and Easy: IDC_GRADE_AGAIN + grade - 1
#define IDC_GRADE_HARD 3119
#define IDC_GRADE_GOOD 3120
#define IDC_GRADE_EASY 3121
#define IDC_INTERVAL_AGAIN 3122 // the interval of each grade: IDC_INTERVAL_AGAIN + grade - 1
#define IDC_INTERVAL_HARD 3123
#define IDC_INTERVAL_GOOD 3124
#define IDC_INTERVAL_EASY 3125
#define IDC_REVIEWS_LEFT 3126

// String table.
#define IDS_NO_QUESTIONS 2000         // "There were no questions for this session."
#define IDS_CONFIRM_STOP_SESSION 2001 // "Do you want to stop the current study session?"
#define IDS_WRONG_ANSWER 2002         // the user's answer, then the right answer (two %s)
#define IDS_CONFIRM_REMOVE_FIELD 2003
#define IDS_CONFIRM_CAPTION 2004 // "Please confirm"
#define IDS_CONFIRM_REMOVE_ITEMS 2005
#define IDS_FIELD_LABEL_FORMAT 2006   // "Enter the %s below:", %s = field name
#define IDS_PROGRAM_NAME 2007         // "Lorvant": window title, caption of questions and results
#define IDS_SESSION_SUMMARY 2008      // questions asked, correctly answered, result in percent (three %i)
#define IDS_ENTER_MAIN_TEXT 2009      // "You must enter a %s.", %s = item type name
#define IDS_DIALOG_ERROR_CAPTION 2010 // "Lorvant": caption of the item and outline dialogs' refusals
#define IDS_ENTER_ITEM_TYPE 2011
#define IDS_ENTER_ONE_FIELD 2012
#define IDS_SAME_FROM_AND_TO 2013
#define IDS_SETTINGS_CAPTION 2014   // "Study Settings"
#define IDS_FROM_ANYTHING 2015      // "Anything"
#define IDS_TO_ANYTHING_ELSE 2016   // "Anything else"
#define IDS_TO_EVERYTHING_ELSE 2017 // "Everything else"
#define IDS_SAVE_CHANGES 2018       // "Save changes to %s ?", %s = file name
#define IDS_NEW_STUDY_LIST 2019     // the file name of a study list never saved
#define IDS_ERROR_CAPTION 2020      // "Lorvant Error"
#define IDS_UNKNOWN_ERROR 2021      // what the entry point shows for an error without a message
#define IDS_INIT_ERROR_CAPTION 2022 // "Initialization"
#define IDS_INIT_ERROR_FORMAT 2023  // "%s, Error %d": message and system error code
#define IDS_INIT_UNKNOWN_ERROR 2024
#define IDS_WEB_SITE_URL 2025   // what the About box's "Web Site" button opens
#define IDS_SUPPORT_MAILTO 2026 // what its "E-Mail Support" button opens
#define IDS_CONFIRM_RESET_SCORES 2027
#define IDS_ENTER_ONE_DEFINITION 2030
#define IDS_STATUS_FORMAT 2031        // "%i item(s), %i selected"
#define IDS_SAVE_FAILED 2049          // a save failed after the file was opened
#define IDS_CANNOT_SAVE 2050          // the file to save could not be opened or made
#define IDS_CANNOT_OPEN 2051          // the file to open could not be opened
#define IDS_NOT_A_DOCUMENT 2053       // the file opened is not a valid document
#define IDS_EXPORT_OVER_DOCUMENT 2054 // an export's target is the open document's own file

// The text import: its report, then why a file was refused.
#define IDS_IMPORT_NOT_TEXT 2059          // the line of the first NUL byte (%d)
#define IDS_IMPORT_RESULT 2060            // item count (%d), then the path (%s)
#define IDS_IMPORT_ROWS_WITHOUT_TERM 2061 // how many (%d), the first line (%d)
#define IDS_IMPORT_REPLACED 2062          // how many (%d), the first line (%d)
#define IDS_IMPORT_REPEATED_TERMS 2063    // how many (%d), the first line (%d)
#define IDS_IMPORT_REFUSED 2064           // first line of every refusal
#define IDS_IMPORT_NO_ROWS 2065
#define IDS_IMPORT_TOO_MANY_CELLS 2066  // the line (%d)
#define IDS_IMPORT_TOO_MANY_FIELDS 2067 // the line (%d), the largest field count (%d)
#define IDS_IMPORT_TOO_MANY_ITEMS 2068  // the largest item count (%d), the line (%d)
#define IDS_IMPORT_REPEATED_FIELD 2069  // the line (%d), the field name (%s)

#define IDS_TEXT_NOT_FOUND 2070 // "Cannot find ""%s"".", %s = the text looked for
#define IDS_NO_WEAK_ITEMS 2071  // no item below the threshold (%s, in percent)
#define IDS_NO_WEAK_OR_NEVER_ASKED_ITEMS 2072
#define IDS_ENTER_THRESHOLD 2073 // the weak items' threshold is not a number from 0 to 100
// The bars of the statistics chart, left to right: never asked, then the ratio bands.
#define IDS_NEVER_ASKED_BAR 2074
#define IDS_BAND_BAR_FIRST 2075 // "0-24 %"; the other bands follow, up to "100 %" (2079)
// The system ignored the manifest's request for UTF-8 text: Windows older than 10 version 1903.
#define IDS_NEEDS_UTF8_WINDOWS 2095
// Reviews on the schedule.
#define IDS_NOTHING_DUE 2080         // nothing to review now; the next due time follows (%s)
#define IDS_NOTHING_SCHEDULED 2081   // nothing to review and nothing scheduled
#define IDS_REVIEW_SUMMARY 2082      // reviewed (%i), right (%i), the next due time (%s)
#define IDS_REVIEW_SUMMARY_NONE 2083 // reviewed (%i), right (%i), nothing scheduled
#define IDS_ANSWER_RIGHT 2084        // "Right"
#define IDS_ANSWER_WRONG 2085        // "Wrong"
#define IDS_REVIEWS_LEFT 2086        // items left in the review (%i)
#define IDS_CONFIRM_FORGET_SCHEDULE 2087
// The names of the forecast's days: today, then how many days later (%d).
#define IDS_FORECAST_TODAY 2320
#define IDS_FORECAST_LATER_DAY 2321

// "Import Text File": the choices, the preview and what the whole file gives.
#define IDC_IMPORT_ENCODING 3200
#define IDC_IMPORT_SEPARATOR 3201
#define IDC_IMPORT_OTHER_SEPARATOR 3202
#define IDC_IMPORT_HEADER 3203
#define IDC_IMPORT_QUOTES 3204
#define IDC_IMPORT_COLUMN 3205
#define IDC_IMPORT_ROLE 3206
#define IDC_IMPORT_PREVIEW 3207
#define IDC_IMPORT_SUMMARY 3208
#define IDC_IMPORT_ENCODING_LABEL 3209
#define IDC_IMPORT_SEPARATOR_LABEL 3210
#define IDC_IMPORT_COLUMN_LABEL 3211
#define IDC_IMPORT_ROLE_LABEL 3212
#define IDS_IMPORT_ENCODING_FIRST 2200  // UTF-8, UTF-16 LE, UTF-16 BE, the system code page (2203)
#define IDS_IMPORT_SEPARATOR_FIRST 2204 // Tab, Comma, Semicolon, Other (2207)
#define IDS_IMPORT_ROLE_FIRST 2208      // Term, Field, Comment, Skip (2211): as ColumnRole
#define IDS_IMPORT_COLUMN 2212          // "Column %d"
#define IDS_IMPORT_SUMMARY 2213         // items (%d)
#define IDS_IMPORT_SUMMARY_LARGE 2214   // the whole file could not be counted: read on OK
#define IDS_IMPORT_COUNTING 2340        // the whole file is being read, how far (%d %)

// "Importing Text File": shown while a long import runs.
#define IDC_IMPORT_PROGRESS_FILE 3340
#define IDC_IMPORT_PROGRESS_BAR 3341

// The status bar's review counts: due and learning items a review takes now (%i), new items left today (%i).
#define IDS_STATUS_REVIEW_COUNTS 2300

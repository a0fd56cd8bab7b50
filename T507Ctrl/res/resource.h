// Identifiers of the program's resources and dialog controls.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_T507CTRL_DIALOG             102
#define IDD_CUSTOM_COLORS               130
#define IDD_FIRMWARE                    145

// Icon, bitmaps and the settings file template
#define IDR_MAINFRAME                   128
#define IDB_MAIN_BACKGROUND             129
#define IDB_CUSTOM_COLORS_BACKGROUND    133
#define IDB_LEVEL_0                     134
#define IDB_LEVEL_1                     135
#define IDB_LEVEL_2                     136
#define IDB_LEVEL_3                     137
#define IDB_LEVEL_4                     138
#define IDB_LEVEL_5                     139
#define IDB_LEVEL_6                     140
#define IDB_LEVEL_7                     141
#define IDB_LEVEL_8                     142
#define IDR_SETTINGS_TEMPLATE           167
#define IDB_MAIN_BACKGROUND_4K          168
#define IDB_LEVEL_4K_0                  169
#define IDB_LEVEL_4K_1                  170
#define IDB_LEVEL_4K_3                  171
#define IDB_LEVEL_4K_4                  172
#define IDB_LEVEL_4K_5                  173
#define IDB_LEVEL_4K_6                  174
#define IDB_LEVEL_4K_7                  175
#define IDB_LEVEL_4K_8                  176
#define IDB_LEVEL_4K_2                  177

// Strings; the English and the Chinese text of a message have ids of their own
#define IDS_ABOUTBOX                    101
#define IDS_FIRMWARE_UPDATE_EN          102
#define IDS_MIN_TO_TRAY_EN              103
#define IDS_HELP_EN                     104
#define IDS_FIRMWARE_UPDATE_ZH          105
#define IDS_MIN_TO_TRAY_ZH              106
#define IDS_HELP_ZH                     107
#define IDS_OPEN_EN                     108
#define IDS_EXIT_EN                     109
#define IDS_OPEN_ZH                     110
#define IDS_EXIT_ZH                     111
#define IDS_CUSTOM_COLORS_EN            112
#define IDS_APPLY_EN                    113
#define IDS_CANCEL_EN                   114
#define IDS_TITLE_EN                    115
#define IDS_LOCATION_EN                 116
#define IDS_LIGHTING_MODE_EN            117
#define IDS_MODE_STATIC_EN              118
#define IDS_MODE_BREATHE_EN             119
#define IDS_MODE_FADE_EN                120
#define IDS_MODE_CYCLE_EN               121
#define IDS_MODE_WINK_EN                122
#define IDS_MODE_SLIDE_EN               123
#define IDS_MODE_RAINBOW_EN             124
#define IDS_ON_EN                       125
#define IDS_OFF_EN                      126
#define IDS_DEFAULT_EN                  127
#define IDS_FAN_SPEED_EN                128
#define IDS_GPU_TEMP_EN                 129
#define IDS_CPU_TEMP_EN                 130
#define IDS_DEVICE_NOT_FOUND_EN         131
#define IDS_TITLE_ZH                    132
#define IDS_LOCATION_ZH                 133
#define IDS_LIGHTING_MODE_ZH            134
#define IDS_MODE_STATIC_ZH              135
#define IDS_MODE_BREATHE_ZH             136
#define IDS_MODE_FADE_ZH                137
#define IDS_MODE_CYCLE_ZH               138
#define IDS_MODE_WINK_ZH                139
#define IDS_MODE_SLIDE_ZH               140
#define IDS_MODE_RAINBOW_ZH             141
#define IDS_ON_ZH                       142
#define IDS_OFF_ZH                      143
#define IDS_APPLY_ZH                    144
#define IDS_DEFAULT_ZH                  145
#define IDS_FAN_SPEED_ZH                146
#define IDS_GPU_TEMP_ZH                 147
#define IDS_CPU_TEMP_ZH                 148
#define IDS_DEVICE_NOT_FOUND_ZH         149
#define IDS_FW_WARNING_EN               150
#define IDS_FW_WARNING_ZH               151
#define IDS_FW_SELECT_EN                152
#define IDS_FW_SELECT_ZH                153
#define IDS_NOTICE_EN                   154
#define IDS_NOTICE_ZH                   155
#define IDS_CANCEL_ZH                   156
#define IDS_CUSTOM_COLORS_ZH            157
#define IDS_FW_RESET_EN                 158
#define IDS_FW_RESET_ZH                 159
#define IDS_FW_RECONNECT_EN             160
#define IDS_FW_RECONNECT_ZH             161
#define IDS_FW_RECONNECT_FAILED_EN      162
#define IDS_FW_RECONNECT_FAILED_ZH      163
#define IDS_FW_NO_INFO_EN               164
#define IDS_FW_NO_INFO_ZH               165
#define IDS_FW_SUCCEEDED_EN             166
#define IDS_FW_SUCCEEDED_ZH             167
#define IDS_FW_FAILED_EN                168
#define IDS_FW_FAILED_ZH                169
#define IDS_BYTES_EN                    170
#define IDS_BYTES_ZH                    171
#define IDS_RED_EN                      172
#define IDS_RED_ZH                      173
#define IDS_GREEN_EN                    174
#define IDS_GREEN_ZH                    175
#define IDS_BLUE_EN                     176
#define IDS_BLUE_ZH                     177
#define IDS_RETURN_EN                   178
#define IDS_RETURN_ZH                   179

// Controls of the main window (102)
#define IDC_SETTING                     1000
#define IDC_MIN                         1001
#define IDC_CLOSE                       1002
#define IDC_TITLE                       1003
#define IDC_STATUS                      1004
#define IDC_LOCATION_HEADING            1005
#define IDC_LOCATION0_NAME              1006
#define IDC_LOCATION0_ON                1007
#define IDC_LOCATION0_OFF               1008
#define IDC_LOCATION1_NAME              1009
#define IDC_LOCATION1_ON                1010
#define IDC_LOCATION1_OFF               1011
#define IDC_LOCATION1_LEVEL             1012
#define IDC_LOCATION0_LEVEL             1013
#define IDC_FAN_GRAPH                   1014
#define IDC_GPU_GRAPH                   1015
#define IDC_CPU_GRAPH                   1016
#define IDC_COLOR_PLATE                 1017
#define IDC_MODE_0                      1018
#define IDC_MODE_1                      1019
#define IDC_MODE_2                      1020
#define IDC_MODE_3                      1021
#define IDC_MODE_4                      1022
#define IDC_MODE_5                      1023
#define IDC_MODE_6                      1024
#define IDC_APPLY                       1025
#define IDC_DEFAULT                     1026
#define IDC_MODE_HEADING                1027
#define IDC_MODE_NAME_0                 1028
#define IDC_MODE_NAME_1                 1029
#define IDC_MODE_NAME_2                 1030
#define IDC_MODE_NAME_3                 1031
#define IDC_MODE_NAME_4                 1032
#define IDC_MODE_NAME_5                 1033
#define IDC_MODE_NAME_6                 1034
#define IDC_VERSION                     1035
#define IDC_LOCATION0_SELECT            1054
#define IDC_LOCATION1_SELECT            1058
#define IDC_ALL_ON                      1059
#define IDC_ALL_OFF                     1060

// Title band of the firmware and custom colour dialogs
#define IDC_DIALOG_TITLE                1036

// Controls of the custom colour dialog (130)
#define IDC_RED_LABEL                   1037
#define IDC_GREEN_LABEL                 1038
#define IDC_BLUE_LABEL                  1039
#define IDC_LEVEL_LABEL                 1040
#define IDC_RED_VALUE                   1041
#define IDC_GREEN_VALUE                 1042
#define IDC_BLUE_VALUE                  1043
#define IDC_LEVEL_VALUE                 1044
#define IDC_DECREASE                    1045
#define IDC_INCREASE                    1046
#define IDC_COLORS_APPLY                1047
#define IDC_RETURN                      1048

// Controls of the help dialog (100)
#define IDC_HELP_TEXT                   1049
#define IDC_WEBSITE_LINK                1050

// Controls of the firmware dialog (145); the status line is IDC_STATUS
#define IDC_FILE_LABEL                  1051
#define IDC_SIZE_LABEL                  1052
#define IDC_PROGRESS                    1053
#define IDC_FILE_NAME                   1055
#define IDC_FILE_SIZE                   1056
#define IDC_PERCENT                     1057

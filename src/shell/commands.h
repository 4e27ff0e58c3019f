#pragma once

#include <QLatin1String>

// The names of the window's commands. Subsystems register their handlers
// under these names and menus, buttons and function keys run them by name;
// a name spelt wrong here fails to compile instead of leaving its control
// silently disabled. Each name is the control's objectName followed by the
// event ("cmdSearch" clicked runs cmdSearch_Click).
namespace cmd {

inline constexpr QLatin1String Command10_Click{"Command10_Click"};
inline constexpr QLatin1String Command11_Click{"Command11_Click"};
inline constexpr QLatin1String Command12_Click{"Command12_Click"};
inline constexpr QLatin1String Command13_Click{"Command13_Click"};
inline constexpr QLatin1String Command14_Click{"Command14_Click"};
inline constexpr QLatin1String Command15_Click{"Command15_Click"};
inline constexpr QLatin1String Command17_Click{"Command17_Click"};
inline constexpr QLatin1String Command18_Click{"Command18_Click"};
inline constexpr QLatin1String Command19_Click{"Command19_Click"};
inline constexpr QLatin1String Command1_Click{"Command1_Click"};
inline constexpr QLatin1String Command20_Click{"Command20_Click"};
inline constexpr QLatin1String Command21_Click{"Command21_Click"};
inline constexpr QLatin1String Command22_Click{"Command22_Click"};
inline constexpr QLatin1String Command23_Click{"Command23_Click"};
inline constexpr QLatin1String Command25_Click{"Command25_Click"};
inline constexpr QLatin1String Command26_Click{"Command26_Click"};
inline constexpr QLatin1String Command27_Click{"Command27_Click"};
inline constexpr QLatin1String Command28_Click{"Command28_Click"};
inline constexpr QLatin1String Command29_Click{"Command29_Click"};
inline constexpr QLatin1String Command2_Click{"Command2_Click"};
inline constexpr QLatin1String Command3_Click{"Command3_Click"};
inline constexpr QLatin1String Command4_Click{"Command4_Click"};
inline constexpr QLatin1String Command5_Click{"Command5_Click"};
inline constexpr QLatin1String Command6_Click{"Command6_Click"};
inline constexpr QLatin1String Command7_Click{"Command7_Click"};
inline constexpr QLatin1String Command8_Click{"Command8_Click"};
inline constexpr QLatin1String Command9_Click{"Command9_Click"};
inline constexpr QLatin1String File1_Click{"File1_Click"};
inline constexpr QLatin1String ScrGroup_Change{"ScrGroup_Change"};
inline constexpr QLatin1String chkShowApp_Click{"chkShowApp_Click"};
inline constexpr QLatin1String cmbAutoScroll_Click{"cmbAutoScroll_Click"};
inline constexpr QLatin1String cmbList_Click{"cmbList_Click"};
inline constexpr QLatin1String cmd1_Click{"cmd1_Click"};
inline constexpr QLatin1String cmdAddFav_Click{"cmdAddFav_Click"};
inline constexpr QLatin1String cmdAdd_Click{"cmdAdd_Click"};
inline constexpr QLatin1String cmdClear_Click{"cmdClear_Click"};
inline constexpr QLatin1String cmdContents_Click{"cmdContents_Click"};
inline constexpr QLatin1String cmdDel_Click{"cmdDel_Click"};
inline constexpr QLatin1String cmdDeleteGroup_Click{"cmdDeleteGroup_Click"};
inline constexpr QLatin1String cmdDeleteTopic_Click{"cmdDeleteTopic_Click"};
inline constexpr QLatin1String cmdDeleteVerse_click{"cmdDeleteVerse_click"};
inline constexpr QLatin1String cmdDivCust_Click{"cmdDivCust_Click"};
inline constexpr QLatin1String cmdDivide19_Click{"cmdDivide19_Click"};
inline constexpr QLatin1String cmdGoBack_Click{"cmdGoBack_Click"};
inline constexpr QLatin1String cmdInsertVerse_Click{"cmdInsertVerse_Click"};
inline constexpr QLatin1String cmdNav_Click{"cmdNav_Click"};
inline constexpr QLatin1String cmdNewGroup_Click{"cmdNewGroup_Click"};
inline constexpr QLatin1String cmdNewTopic_Click{"cmdNewTopic_Click"};
inline constexpr QLatin1String cmdOpenTopic_Click{"cmdOpenTopic_Click"};
inline constexpr QLatin1String cmdProc_Click{"cmdProc_Click"};
inline constexpr QLatin1String cmdRandom_Click{"cmdRandom_Click"};
inline constexpr QLatin1String cmdSearchAdv_Click{"cmdSearchAdv_Click"};
inline constexpr QLatin1String cmdSearchShow_Click{"cmdSearchShow_Click"};
inline constexpr QLatin1String cmdSearch_Click{"cmdSearch_Click"};
inline constexpr QLatin1String cmdYN_Click{"cmdYN_Click"};
inline constexpr QLatin1String cmdYourNote_Click{"cmdYourNote_Click"};
inline constexpr QLatin1String comboApp_Click{"comboApp_Click"};
inline constexpr QLatin1String leftframeclose_Click{"leftframeclose_Click"};
inline constexpr QLatin1String mnuASV_Click{"mnuASV_Click"};
inline constexpr QLatin1String mnuAbout_Click{"mnuAbout_Click"};
inline constexpr QLatin1String mnuCC_Click{"mnuCC_Click"};
inline constexpr QLatin1String mnuCET_Click{"mnuCET_Click"};
inline constexpr QLatin1String mnuCST_Click{"mnuCST_Click"};
inline constexpr QLatin1String mnuChroOrder_Click{"mnuChroOrder_Click"};
inline constexpr QLatin1String mnuConcordFN_Click{"mnuConcordFN_Click"};
inline constexpr QLatin1String mnuConcordST_Click{"mnuConcordST_Click"};
inline constexpr QLatin1String mnuConcordVerses_Click{"mnuConcordVerses_Click"};
inline constexpr QLatin1String mnuCsnf_Click{"mnuCsnf_Click"};
inline constexpr QLatin1String mnuDict_Click{"mnuDict_Click"};
inline constexpr QLatin1String mnuDisplaySep_Click{"mnuDisplaySep_Click"};
inline constexpr QLatin1String mnuDiv_Click{"mnuDiv_Click"};
inline constexpr QLatin1String mnuGV_Click{"mnuGV_Click"};
inline constexpr QLatin1String mnuGoToVerse_Click{"mnuGoToVerse_Click"};
inline constexpr QLatin1String mnuHighlight_Click{"mnuHighlight_Click"};
inline constexpr QLatin1String mnuJumpCursor_Click{"mnuJumpCursor_Click"};
inline constexpr QLatin1String mnuListFootnotes_Click{"mnuListFootnotes_Click"};
inline constexpr QLatin1String mnuListSubtitles_Click{"mnuListSubtitles_Click"};
inline constexpr QLatin1String mnuNotesTopics_Click{"mnuNotesTopics_Click"};
inline constexpr QLatin1String mnuReadDisplay_Click{"mnuReadDisplay_Click"};
inline constexpr QLatin1String mnuReciteScroll_Click{"mnuReciteScroll_Click"};
inline constexpr QLatin1String mnuSAT_Click{"mnuSAT_Click"};
inline constexpr QLatin1String mnuSearchSelected_Click{"mnuSearchSelected_Click"};
inline constexpr QLatin1String mnuSettings_Click{"mnuSettings_Click"};
inline constexpr QLatin1String mnuStopAll_Click{"mnuStopAll_Click"};
inline constexpr QLatin1String mnuStopRecitation_Click{"mnuStopRecitation_Click"};
inline constexpr QLatin1String mnuWFP_Click{"mnuWFP_Click"};
inline constexpr QLatin1String mnuWG_Click{"mnuWG_Click"};
inline constexpr QLatin1String mnutut_Click{"mnutut_Click"};
inline constexpr QLatin1String sqCh_Click{"sqCh_Click"};
inline constexpr QLatin1String sqRv_Click{"sqRv_Click"};

}  // namespace cmd

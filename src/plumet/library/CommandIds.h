#pragma once

// Command ids of plumet's menus and shortcuts.
namespace CommandId {
inline constexpr int NewFolder = 57600;
inline constexpr int Open = 57601;
inline constexpr int SaveEditProperties = 57603;
inline constexpr int PrintSetup = 57606;
inline constexpr int Print = 57607;
inline constexpr int PrintPreview = 57609;
inline constexpr int RecentFile = 57616;  // 57616..57619, one per entry
inline constexpr int RecentFileCount = 4;
inline constexpr int About = 57664;
inline constexpr int Exit = 57665;
inline constexpr int Copy = 57634;
inline constexpr int Cut = 57635;
inline constexpr int Paste = 57637;
inline constexpr int Undo = 57643;
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;
inline constexpr int FormatText = 32772;
inline constexpr int RedeemBonus = 32775;
inline constexpr int StampSoftware = 32776;
inline constexpr int HelpIndex = 32777;
inline constexpr int NewFile = 32778;
inline constexpr int DeleteFolder = 32779;
inline constexpr int RenameFolder = 32782;
inline constexpr int CheckForUpgrades = 32783;
}  // namespace CommandId

// Hint of the panes' selection notification; its text is a path.
inline constexpr int kSelectionHint = 90;

#include "MainMenu.h"

#include "CommandIds.h"

using namespace CommandId;

const std::vector<Menu>& MainMenu()
{
    static const std::vector<Menu> menus = {
        {"&File",
         {{"&New Folder\tCtrl+N", NewFolder},
          {"New File", NewFile},
          {"&Save/Edit Properties\tCtrl+S", SaveEditProperties},
          {"Delete Folder", DeleteFolder},
          {},
          {"&Print...\tCtrl+P", Print},
          {"Print Pre&view", PrintPreview},
          {"P&rint Setup...", PrintSetup},
          {},
          {"Recent File", RecentFile},
          {},
          {"E&xit", Exit}}},
        {"&Edit",
         {{"&Undo\tCtrl+Z", Undo},
          {},
          {"Cu&t\tCtrl+X", Cut},
          {"&Copy\tCtrl+C", Copy},
          {"&Paste\tCtrl+V", Paste}}},
        {"Check Version", {{"Check For Upgrades", CheckForUpgrades}}},
        {"Format Text", {{"Format Text", FormatText}}},
        {"Bonus Center", {{"Redeem Bonus ", RedeemBonus}}},
        {"Mintery", {{"Stamp this software", StampSoftware}}},
        {"&Help", {{"Index", HelpIndex}, {}, {"&About Plumet...", About}}},
    };
    return menus;
}

const std::vector<Accelerator>& MainAccelerators()
{
    static const std::vector<Accelerator> table = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), NewFolder},
        {QKeySequence(Qt::CTRL | Qt::Key_O), Open},
        {QKeySequence(Qt::CTRL | Qt::Key_S), SaveEditProperties},
        {QKeySequence(Qt::CTRL | Qt::Key_P), Print},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), Undo},
        {QKeySequence(Qt::CTRL | Qt::Key_X), Cut},
        {QKeySequence(Qt::CTRL | Qt::Key_C), Copy},
        {QKeySequence(Qt::CTRL | Qt::Key_V), Paste},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), Undo},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), Cut},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), Copy},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), Paste},
        {QKeySequence(Qt::Key_F6), NextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), PreviousPane},
    };
    return table;
}

#pragma once
#include "MenuTable.h"

#include <vector>

// plumet's menu bar and shortcut table.
const std::vector<Menu>& MainMenu();
const std::vector<Accelerator>& MainAccelerators();

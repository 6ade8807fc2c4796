#pragma once
#include <QIcon>

#include <functional>

// An icon whose pictures are made the first time anything needs them: its
// size, a picture or a paint. Until then it counts as not null. For icons a
// widget is given but may never show, whose making costs more than holding
// a recipe.
QIcon DeferredIcon(std::function<QIcon()> make);

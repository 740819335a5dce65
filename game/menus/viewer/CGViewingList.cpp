#include "game/menus/viewer/CGViewingList.h"

#include "engine/base/Singleton.h"

std::vector<CCGViewRecord>& CCGViewingList::Get() { return CLazySingleton<std::vector<CCGViewRecord>>::Get(); }

#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

#include <span>

namespace resources {

namespace {

constexpr BYTE kCtrl = FVIRTKEY | FCONTROL | FNOINVERT;

constexpr ACCEL kMainAccelerators[] = {
    {kCtrl, 'C', ID_EDIT_COPY}, {kCtrl, 'X', ID_EDIT_CUT},  {kCtrl, 'V', ID_EDIT_PASTE},
    {kCtrl, 'Z', ID_EDIT_UNDO}, {kCtrl, 'Q', ID_APP_EXIT},  {kCtrl, 'N', ID_FILE_NEW},
    {kCtrl, 'O', ID_FILE_OPEN}, {kCtrl, 'S', ID_FILE_SAVE}, {kCtrl, 'B', ID_BAR_FINDUP},
    {kCtrl, 'G', ID_GOTO_LINE}, {kCtrl, 'F', ID_FIND},      {kCtrl, 'A', ID_EDIT_SELECTALL},
    {kCtrl, 'R', ID_REPLACE},
};

struct AcceleratorResource {
    int id;
    std::span<const ACCEL> entries;
};

constexpr AcceleratorResource kTables[] = {{IDR_MAINFRAME, kMainAccelerators}};

} // namespace

HACCEL loadAccelerators(int id) {
    for (const AcceleratorResource& table : kTables) {
        if (table.id == id)
            return CreateAcceleratorTable(table.entries.data(),
                                          static_cast<int>(table.entries.size()));
    }
    return nullptr;
}

} // namespace resources

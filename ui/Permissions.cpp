#include "ui/Permissions.h"

namespace rockpile {

void DesktopPermissionService::request(const QStringList& names, const PermissionResultFn& result,
                                       const PermissionRationaleFn& /*rationale*/)
{
    if (result)
        result(names, std::vector<PermissionStatus>(size_t(names.size()), PermissionStatus::Granted));
}

}  // namespace rockpile

#pragma once
// The permission service through which saving asks for the right to write to storage.
// A request names the permissions it wants and gets two callbacks: the result (one
// status per name, in the order of the names) and the rationale, which a platform that
// asks the user may call first so that the program can explain why it asks; the
// rationale callback resumes the request by calling the procedure it is given.
//
// On a desktop system there are no such permissions: every request is granted at once,
// within the call, and the rationale is never shown.

#include <functional>
#include <vector>

#include <QStringList>

namespace rockpile {

enum class PermissionStatus { Granted, Denied, PermanentlyDenied };

using PermissionResultFn =
    std::function<void(const QStringList& names, const std::vector<PermissionStatus>& statuses)>;
using PermissionRationaleFn =
    std::function<void(const QStringList& names, const std::function<void()>& resume)>;

class PermissionService {
public:
    virtual ~PermissionService() = default;
    virtual void request(const QStringList& names, const PermissionResultFn& result,
                         const PermissionRationaleFn& rationale) = 0;
};

// Grants every request at once.
class DesktopPermissionService : public PermissionService {
public:
    void request(const QStringList& names, const PermissionResultFn& result,
                 const PermissionRationaleFn& rationale) override;
};

}  // namespace rockpile

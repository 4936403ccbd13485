#include "managers/schemes/SchemeRequests.h"

#include "managers/common/CentreRequest.h"

namespace {

template <typename Build>
int schemeRequest(OvManageCenter *centre, int family, int step, Build build)
{
    const int code = OvSchemeManage::codeOf(family, step);
    if (code < 0)
        return kMissingManager;
    return centreRequest<OvSchemeManage>(centre, OvManageCenter::SchemeSlot, code, build);
}

} // namespace

int centreSetSchemeCallbacks(OvManageCenter *centre, OvSchemeManage::Callbacks callbacks)
{
    auto *manager = centreManager<OvSchemeManage>(centre, OvManageCenter::SchemeSlot);
    if (!manager)
        return kMissingManager;
    manager->setCallbacks(std::move(callbacks));
    return 0;
}

int centreSchemeList(OvManageCenter *centre, int family)
{
    return schemeRequest(centre, family, OvSchemeManage::ListStep,
                         [family](OvSchemeManage &m, int cseq) { return m.buildList(cseq, family); });
}

int centreSchemeAdd(OvManageCenter *centre, const OvScheme &scheme, int family)
{
    return schemeRequest(centre, family, OvSchemeManage::AddStep,
                         [&](OvSchemeManage &m, int cseq) { return m.buildAdd(cseq, scheme, family); });
}

int centreSchemeModify(OvManageCenter *centre, const OvScheme &scheme, int family)
{
    return schemeRequest(centre, family, OvSchemeManage::ModifyStep,
                         [&](OvSchemeManage &m, int cseq) { return m.buildModify(cseq, scheme, family); });
}

int centreSchemeDelete(OvManageCenter *centre, const OvScheme &scheme, int family)
{
    return schemeRequest(centre, family, OvSchemeManage::DeleteStep,
                         [&](OvSchemeManage &m, int cseq) { return m.buildDelete(cseq, scheme, family); });
}

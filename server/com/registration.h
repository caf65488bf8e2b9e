// Self-registration: the registry script of the module's resources and the
// type library that the module carries.
#pragma once
#include <windows.h>

namespace zorvan {

// Runs the REGISTRY resource with this id over the registry, with the
// replacement Module set to the module's path.
HRESULT RunRegistryResource(UINT resourceId, bool doRegister);
// The module's own script, resource 101.
HRESULT UpdateZorvanRegistry(BOOL doRegister);
// Registers the module's type library, or the ".tlb" file beside it.
HRESULT RegisterModuleTypeLib();

}  // namespace zorvan

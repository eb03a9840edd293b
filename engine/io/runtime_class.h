#pragma once

namespace mendrel {

// Names a class of the file family and links to its base class record.
struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;
};

}  // namespace mendrel

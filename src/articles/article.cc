#include "articles/article.h"

#include "startup/keywords.h"

std::string last_component(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void cut_extension(std::string& s) {
  size_t dot = s.rfind('.');
  if (dot != std::string::npos && s.find('/', dot) == std::string::npos)
    s.erase(dot);
}

std::string page_name(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && ascii_iequal(name.c_str() + dot + 1, "xml"))
    return name.substr(0, dot + 1) + "html";
  return name + ".html";
}

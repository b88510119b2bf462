#pragma once

namespace corvane::platform {
class LoginContext;
}

namespace corvane::suite {

class TextSource;

// Fills platform::ObjectFactory::Instance() with the suite's own objects:
// common and cash services (with the given texts), connections opened by
// OpenDbConnection, the rights service over the login's connection, and the
// style service. texts and login are not owned and must outlive every object
// made; texts may be null. Creating the rights service without a login throws
// ServiceError.
void RegisterSuiteObjects(TextSource* texts, platform::LoginContext* login);

}  // namespace corvane::suite

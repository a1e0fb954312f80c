#pragma once

#include <QString>

#include <string>

namespace qdx::test {

// Copies the printout into the folder $QDX_TEST_ARTIFACTS names, as `name`, for a look; does
// nothing when the variable is not set.
void keepPrintout(const QString& pdf, const QString& name);

// Renders the printout at low resolution with pdftoppm into `pagePrefix`-N.png. Empty when the
// first page came out or pdftoppm is not installed; otherwise what went wrong.
QString printoutRenderFailure(const QString& pdf, const std::string& pagePrefix);

} // namespace qdx::test

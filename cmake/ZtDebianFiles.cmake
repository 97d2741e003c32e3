# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack in the staging folder of the Debian package, after the install and
# before the archive is made: adds what Debian asks of every package and an
# install of the project does not have. The copyright file and the changelog go
# to /usr/share/doc/zemko-tovik, manual pages and the changelog are compressed
# with `gzip -9n` (reproducible: no name, no time stamp), and every file and
# folder gets the usual permissions whatever the builder's umask.
set(root "${CPACK_TEMPORARY_DIRECTORY}")
if(NOT IS_DIRECTORY "${root}/usr/bin")
  message(FATAL_ERROR "ZtDebianFiles: no staged installation in ${root}")
endif()
set(doc "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}")
file(MAKE_DIRECTORY "${doc}")

file(WRITE "${doc}/copyright"
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${CPACK_PACKAGE_NAME}
Upstream-Contact: ${CPACK_PACKAGE_CONTACT}
Source: ${CPACK_DEBIAN_PACKAGE_HOMEPAGE}

Files: *
Copyright: 2026 ${CPACK_PACKAGE_VENDOR}
License: GPL-3.0+

License: GPL-3.0+
 This program is free software: you can redistribute it and/or modify
 it under the terms of the GNU General Public License as published by
 the Free Software Foundation, either version 3 of the License, or
 (at your option) any later version.
 .
 This program is distributed in the hope that it will be useful,
 but WITHOUT ANY WARRANTY; without even the implied warranty of
 MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE.  See the
 GNU General Public License for more details.
 .
 On Debian systems, the complete text of the GNU General Public
 License version 3 can be found in \"/usr/share/common-licenses/GPL-3\".
")

# A native package's changelog, in the format dpkg-parsechangelog reads.
execute_process(COMMAND date -R -u -d "${CPACK_ZT_RELEASE_DATE} 12:00:00" OUTPUT_VARIABLE release_time
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "ZtDebianFiles: cannot read the release date ${CPACK_ZT_RELEASE_DATE}")
endif()
file(WRITE "${doc}/changelog"
"${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * First release for Linux: the configuration program with its device
    emulator, the devices command and the tray companion.

 -- ${CPACK_PACKAGE_CONTACT}  ${release_time}
")

file(GLOB man_pages "${root}/usr/share/man/man1/*.1")
foreach(file ${man_pages} "${doc}/changelog")
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "ZtDebianFiles: gzip failed on ${file}")
  endif()
endforeach()

execute_process(COMMAND find "${root}" -type d -exec chmod 0755 {} +)
execute_process(COMMAND find "${root}" -type f -exec chmod go-w,u+rw,a+r {} +)

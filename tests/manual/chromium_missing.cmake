# Stands in for the manual test where the configure step found no Chromium.
message(FATAL_ERROR "Chromium is missing, so the manual was not checked in a browser: "
                    "install it (scripts/install-deps.sh installs chromium) and run the "
                    "configure step again")

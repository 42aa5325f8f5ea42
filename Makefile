# AXO_PAP: set-up, build, test and demo on a Debian 12 machine.
#   make demo         installs what is missing, builds and runs the main job on a demo installation
#   make test         installs what is missing, builds and runs the whole test suite
#   make gui          builds and starts the desktop program axo-pap on a demo installation
#   make screenshots  pictures of the desktop program's windows in build/screenshots/
#   make package      the Debian package build/axo-pap_VERSION_ARCH.deb

BUILD   ?= build
JOBS    ?= 2
CONFIG  ?= RelWithDebInfo
PACKAGES := cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            libsqlite3-dev libxml2-dev libxml2-utils \
            qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation xvfb xauth \
            libcairo2-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core \
            poppler-utils zbar-tools unrtf zlib1g-dev \
            libcurl4-openssl-dev nlohmann-json3-dev openssl libzip-dev libxlsxwriter-dev \
            libpq-dev postgresql dpkg-dev file librsvg2-bin desktop-file-utils appstream

CLI := $(BUILD)/bin/axo-pap-cli
DEMO_DIR  := $(BUILD)/demo
DEMO_YEAR := 2024
# The demo installation's user is UCETNI with the password ucetni.
DEMO_RUN  := AXO_PASSWORD=ucetni $(CLI) --home $(DEMO_DIR) --year $(DEMO_YEAR)
GUI       := $(BUILD)/bin/axo-pap
GUI_DIR   := $(BUILD)/demo-gui
SHOTS_DIR := $(BUILD)/screenshots

.PHONY: all deps configure build test demo gui screenshots package bench format clean

all: build

# Installs the Debian packages the project needs, only those that are missing.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  sudo=""; [ "$$(id -u)" = 0 ] || sudo=sudo; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(CONFIG)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The main job on a demo installation: a contributory organisation with a year of bookings.
# Statements I, II, IV and X are compiled for the year (rows as text and CSV, the printed
# statement as PDF through the installation's default template, error protocols named
# vykazN-01-12-protokol.txt), then the batch
# writes PAP_souhrn.xml (parts I-IX) and the part files X-XVI are written for the central system
# (XIV from the organisation's list of holdings, data/demo/PAP_CastXIV.csv).
DEMO_OUT := $(DEMO_DIR)/vystupy
DEMO_XML := $(DEMO_DIR)/xml
DEMO_XML_OPTS := --dir $(DEMO_XML) --person "Jana Nováková" --email ucetni@zs-demo.cz \
                 --phone "+420 123 456 789" --zo 12345
demo: build
	rm -rf $(DEMO_DIR)
	$(CLI) demo-install $(DEMO_DIR) --year $(DEMO_YEAR)
	@mkdir -p $(DEMO_OUT) $(DEMO_XML)
	@for n in 1 2 4 10; do \
	  f=$(DEMO_OUT)/vykaz$$n; \
	  $(DEMO_RUN) statement $$n --from 1 --to 12 --csv $$f.csv --pdf $$f.pdf > $$f.txt || exit 1; \
	  echo "Výkaz $$n: $$f.txt, $$f.csv, $$f.pdf"; \
	done
	$(DEMO_RUN) statements --from 1 --to 12 --csv-dir $(DEMO_OUT)/vse
	$(DEMO_RUN) batch --month 12 $(DEMO_XML_OPTS)
	@# The demo's faulty documents break the checks between the parts on purpose.
	$(DEMO_RUN) crosscheck --from 1 --to 12 || echo "Kontrolní vazby: rozdíly dané chybnými doklady ukázky"
	@for n in 10 11 12 13 15 16; do $(DEMO_RUN) xml $$n $(DEMO_XML_OPTS) || exit 1; done
	cp data/demo/PAP_CastXIV.csv $(DEMO_XML)/
	$(DEMO_RUN) xml14 $(DEMO_XML_OPTS)
	@echo "Výsledky a protokoly: $(DEMO_OUT)"
	@echo "Soubory XML pro CSÚIS: $(DEMO_XML)"
	@ls $(DEMO_OUT) $(DEMO_XML)

# The desktop program on its own demo installation, made once and kept between runs. The
# password comes from AXO_PASSWORD; --year skips the fiscal-year dialog (leave it out to see it).
gui: build
	@[ -f $(GUI_DIR)/AXO.DB ] || $(CLI) demo-install $(GUI_DIR) --year $(DEMO_YEAR)
	AXO_PASSWORD=ucetni $(GUI) --home $(GUI_DIR) --year $(DEMO_YEAR)

# The program shows its windows one after another on a virtual screen and writes a picture of
# each: the fiscal-year dialog as it opens on a date outside every year and after <F10>, main
# window, statement menu, period dialog, printouts, the print preview of statement I and its
# print dialog, message, system information, the code-list windows, the address list and its
# editor, the fill of the chart from the PAP list (its question and protocol); then the first
# pages of statements I and IV as the report engine draws them (vykaz1-strana1.png, ...).
screenshots: build
	rm -rf $(SHOTS_DIR) $(BUILD)/screenshots-home
	$(CLI) demo-install $(BUILD)/screenshots-home --year $(DEMO_YEAR) > /dev/null
	AXO_PASSWORD=ucetni xvfb-run -a -s "-screen 0 1024x768x24" \
	  $(GUI) --home $(BUILD)/screenshots-home --screenshots $(SHOTS_DIR)
	@for n in 1 4; do \
	  rm -rf $(BUILD)/screenshots-pages; \
	  AXO_PASSWORD=ucetni $(CLI) --home $(BUILD)/screenshots-home --year $(DEMO_YEAR) statement $$n \
	    --from 1 --to 12 --png $(BUILD)/screenshots-pages --dpi 100 > /dev/null || exit 1; \
	  for f in $(BUILD)/screenshots-pages/strana1.png $(BUILD)/screenshots-pages/strana2.png; do \
	    [ -f $$f ] && cp $$f $(SHOTS_DIR)/vykaz$$n-$$(basename $$f); \
	  done; \
	done; rm -rf $(BUILD)/screenshots-pages
	@ls $(SHOTS_DIR)

# The Debian package (CPack): programs, documentation, manual pages, bash completion and the
# desktop entry, with the library dependencies dpkg-shlibdeps finds.
package: build
	cmake --build $(BUILD) --target package

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

format:
	find src cli gui tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
